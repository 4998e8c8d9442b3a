-- Termovia database, SQL Server edition (T-SQL; run with sqlcmd, batches
-- separated by GO).
--
-- Same tables and column names as the SQLite edition (db/sqlite/schema.sql).
-- Texts are NVARCHAR so that Cyrillic survives whatever the server's collation;
-- whole numbers are INT. The server's default case-insensitive collation decides
-- how user names compare.

IF DB_ID(N'zazudavaro243') IS NULL
    CREATE DATABASE zazudavaro243;
GO

USE zazudavaro243;
GO

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- Owner accounts: one administrator row (k_tip 0) and up to four further users
-- (k_tip 1) sharing k_avtomatika. Slots 1..5 hold the account's further
-- controllers; an empty slot is NULL or empty text.
CREATE TABLE dbo.korisnici (
    k_id               INT IDENTITY(1,1) NOT NULL,
    k_user             NVARCHAR(100) NOT NULL,
    k_pass             NVARCHAR(64)  NOT NULL,  -- 64 lower-case hex digits: SHA-256 of password + salt
    k_salt             NVARCHAR(64)  NOT NULL,  -- 64 lower-case hex digits
    k_email            NVARCHAR(254) NULL,
    k_tip              INT           NOT NULL DEFAULT (0),
    k_avtomatika       NVARCHAR(50)  NOT NULL,
    k_avtomatika_ime   NVARCHAR(100) NULL,
    k_avtomatika_1     NVARCHAR(50)  NULL,
    k_avtomatika_1_ime NVARCHAR(100) NULL,
    k_avtomatika_2     NVARCHAR(50)  NULL,
    k_avtomatika_2_ime NVARCHAR(100) NULL,
    k_avtomatika_3     NVARCHAR(50)  NULL,
    k_avtomatika_3_ime NVARCHAR(100) NULL,
    k_avtomatika_4     NVARCHAR(50)  NULL,
    k_avtomatika_4_ime NVARCHAR(100) NULL,
    k_avtomatika_5     NVARCHAR(50)  NULL,
    k_avtomatika_5_ime NVARCHAR(100) NULL,
    CONSTRAINT PK_korisnici PRIMARY KEY (k_id),
    CONSTRAINT UQ_korisnici_k_user UNIQUE (k_user)
);
GO
CREATE INDEX IX_korisnici_k_avtomatika ON dbo.korisnici (k_avtomatika);
GO

-- Catalogue of the controllers the vendor has made.
CREATE TABLE dbo.avtomatika (
    id            INT IDENTITY(1,1) NOT NULL,
    ID_avtomatika NVARCHAR(50)  NOT NULL,
    ime           NVARCHAR(100) NULL,
    majstor       INT           NULL,  -- majstori.ma_id
    majstor_ime   NVARCHAR(100) NULL,
    CONSTRAINT PK_avtomatika PRIMARY KEY (id),
    CONSTRAINT UQ_avtomatika_ID_avtomatika UNIQUE (ID_avtomatika)
);
GO
CREATE INDEX IX_avtomatika_majstor ON dbo.avtomatika (majstor);
GO

-- Installers. ma_pass is compared by the login statement as stored.
CREATE TABLE dbo.majstori (
    ma_id       INT IDENTITY(1,1) NOT NULL,
    ma_ime      NVARCHAR(100) NULL,
    ma_username NVARCHAR(100) NOT NULL,
    ma_pass     NVARCHAR(100) NOT NULL,
    ma_lokacija NVARCHAR(100) NULL,
    ma_tel      NVARCHAR(50)  NULL,
    CONSTRAINT PK_majstori PRIMARY KEY (ma_id)
);
GO

-- Catalogue of hydraulic schematics.
CREATE TABLE dbo.Schematic (
    SchematicID          INT IDENTITY(1,1) NOT NULL,
    SchematicNumber      INT            NOT NULL,
    SchematicSubgroup    NVARCHAR(100)  NULL,
    SchematicDescription NVARCHAR(1000) NULL,
    SchematicURL         NVARCHAR(500)  NULL,
    CONSTRAINT PK_Schematic PRIMARY KEY (SchematicID)
);
GO

-- Parameter registers of each schematic.
CREATE TABLE dbo.schematics (
    sch_id          INT IDENTITY(1,1) NOT NULL,
    sch_schematic   INT            NOT NULL,
    sch_regnum      INT            NOT NULL,
    sch_group       NVARCHAR(100)  NULL,
    sch_subgroup    NVARCHAR(100)  NULL,
    sch_regname     NVARCHAR(100)  NULL,
    sch_regval      INT            NOT NULL DEFAULT (0),
    sch_minval      INT            NOT NULL DEFAULT (0),
    sch_maxval      INT            NOT NULL DEFAULT (0),
    sch_description NVARCHAR(1000) NULL,
    sch_visible     INT            NOT NULL DEFAULT (0),  -- 0: shown to every installer
    sch_regtype     INT            NOT NULL DEFAULT (0),  -- only 0 is read
    CONSTRAINT PK_schematics PRIMARY KEY (sch_id)
);
GO
CREATE INDEX IX_schematics_schematic ON dbo.schematics (sch_schematic, sch_regnum);
GO

-- Captions of one controller's panels, keyed by DeviceID (its serial number).
CREATE TABLE dbo.Names (
    NamesID         INT IDENTITY(1,1) NOT NULL,
    DeviceID        NVARCHAR(50)  NOT NULL,
    TempSensor1     NVARCHAR(100) NULL,
    TempSensor2     NVARCHAR(100) NULL,
    TempSensor3     NVARCHAR(100) NULL,
    TempSensor4     NVARCHAR(100) NULL,
    TempSensor5     NVARCHAR(100) NULL,
    TempImg1        INT           NULL,
    TempImg2        INT           NULL,
    TempImg3        INT           NULL,
    TempImg4        INT           NULL,
    TempImg5        INT           NULL,
    Relay1          NVARCHAR(100) NULL,
    Relay2          NVARCHAR(100) NULL,
    Relay3          NVARCHAR(100) NULL,
    Relay4          NVARCHAR(100) NULL,
    Relay5          NVARCHAR(100) NULL,
    WantedTemp1     NVARCHAR(100) NULL,
    WantedTemp2     NVARCHAR(100) NULL,
    WantedTemp3     NVARCHAR(100) NULL,
    WantedTemp4     NVARCHAR(100) NULL,
    WantedTemp5     NVARCHAR(100) NULL,
    CheckBoxDevice1 NVARCHAR(100) NULL,
    CheckBoxDevice2 NVARCHAR(100) NULL,
    CheckBoxDevice3 NVARCHAR(100) NULL,
    CheckBoxDevice4 NVARCHAR(100) NULL,
    CheckBoxDevice5 NVARCHAR(100) NULL,
    TimerCheckBox1  NVARCHAR(100) NULL,
    TimerCheckBox2  NVARCHAR(100) NULL,
    TimerCheckBox3  NVARCHAR(100) NULL,
    TimerCheckBox4  NVARCHAR(100) NULL,
    TimerCheckBox5  NVARCHAR(100) NULL,
    Plot1           NVARCHAR(100) NULL,
    Plot2           NVARCHAR(100) NULL,
    Plot3           NVARCHAR(100) NULL,
    Plot4           NVARCHAR(100) NULL,
    CONSTRAINT PK_Names PRIMARY KEY (NamesID)
);
GO
CREATE INDEX IX_Names_DeviceID ON dbo.Names (DeviceID);
GO

-- Temperature archive, filled outside the program; ime is the serial number
-- followed by "/T".
-- The archive statement compares datum with a text parameter written as
-- month/day/year and orders by vreme, whose text labels the chart:
--   datum  DATE. The server converts the text parameter to a date in the
--          session's date format, which must be month-day-year (the login's
--          language us_english gives it); '05/17/2024', '05.17.2024' and
--          '05-17-2024' then all name the same day.
--   vreme  text 'HH:MM' (or 'HH:MM:SS') on the 24-hour clock, zero-padded, so
--          that text order is time order and the text reads as the chart's
--          label. A TIME column is not used: through FreeTDS it may be reported
--          as a driver-specific type that the client reads as raw bytes.
--   T_*    FLOAT, degrees Celsius.
CREATE TABLE dbo.vivedidode (
    id        INT IDENTITY(1,1) NOT NULL,
    ime       NVARCHAR(50) NOT NULL,
    datum     DATE         NOT NULL,
    vreme     NVARCHAR(8)  NOT NULL,
    T_Solar   FLOAT        NULL,
    T_Bojler  FLOAT        NULL,
    T_Kotel   FLOAT        NULL,
    T_Spirala FLOAT        NULL,
    CONSTRAINT PK_vivedidode PRIMARY KEY (id),
    CONSTRAINT CK_vivedidode_vreme CHECK (vreme LIKE '[0-2][0-9]:[0-5][0-9]'
                                          OR vreme LIKE '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]')
);
GO
CREATE INDEX IX_vivedidode_day ON dbo.vivedidode (ime, datum, vreme);
GO

-- Published releases; exactly one row is expected to have VersionIsLatest = 1.
CREATE TABLE dbo.Versions (
    VersionID          INT IDENTITY(1,1) NOT NULL,
    VersionIsLatest    INT            NOT NULL DEFAULT (0),
    VersionNumber      NVARCHAR(50)   NOT NULL,
    VersionLink        NVARCHAR(500)  NULL,
    VersionTitle       NVARCHAR(200)  NULL,
    VersionDescription NVARCHAR(4000) NULL,
    CONSTRAINT PK_Versions PRIMARY KEY (VersionID)
);
GO

-- Mail accounts through which problem reports are sent, one row per account.
CREATE TABLE dbo.MailSenders (
    MailSenderID          INT IDENTITY(1,1) NOT NULL,
    MailSenderSMTPServer  NVARCHAR(255) NOT NULL,
    MailSenderSMTPPort    INT           NOT NULL DEFAULT (25),
    MailSenderUsername    NVARCHAR(255) NULL,
    MailSenderPassword    NVARCHAR(255) NULL,
    MailSenderTargetEmail NVARCHAR(255) NOT NULL,
    CONSTRAINT PK_MailSenders PRIMARY KEY (MailSenderID)
);
GO
