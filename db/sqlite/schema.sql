-- Termovia database, SQLite edition (the local demo and the tests).
-- Run with: sqlite3 termovia.sqlite < schema.sql
--
-- Same tables and column names as the SQL Server edition (db/sqlserver/schema.sql).
-- Texts are TEXT (UTF-8), whole numbers INTEGER. Every statement of the program
-- runs unchanged on both editions, except where noted below.

PRAGMA foreign_keys = OFF;
BEGIN;

-- Owner accounts: one administrator row (k_tip 0) and up to four further users
-- (k_tip 1) sharing k_avtomatika. Slots 1..5 hold the account's further
-- controllers; an empty slot is NULL or empty text.
-- User names compare without regard to ASCII letter case and are unique, as on
-- the server (case-insensitive collation, unique index).
CREATE TABLE korisnici (
    k_id               INTEGER PRIMARY KEY AUTOINCREMENT,
    k_user             TEXT    NOT NULL COLLATE NOCASE,
    k_pass             TEXT    NOT NULL,  -- 64 lower-case hex digits: SHA-256 of password + salt
    k_salt             TEXT    NOT NULL,  -- 64 lower-case hex digits
    k_email            TEXT,
    k_tip              INTEGER NOT NULL DEFAULT 0,
    k_avtomatika       TEXT    NOT NULL,
    k_avtomatika_ime   TEXT,
    k_avtomatika_1     TEXT,
    k_avtomatika_1_ime TEXT,
    k_avtomatika_2     TEXT,
    k_avtomatika_2_ime TEXT,
    k_avtomatika_3     TEXT,
    k_avtomatika_3_ime TEXT,
    k_avtomatika_4     TEXT,
    k_avtomatika_4_ime TEXT,
    k_avtomatika_5     TEXT,
    k_avtomatika_5_ime TEXT,
    CONSTRAINT UQ_korisnici_k_user UNIQUE (k_user)
);
CREATE INDEX IX_korisnici_k_avtomatika ON korisnici (k_avtomatika);

-- Catalogue of the controllers the vendor has made.
CREATE TABLE avtomatika (
    id            INTEGER PRIMARY KEY AUTOINCREMENT,
    ID_avtomatika TEXT    NOT NULL,
    ime           TEXT,
    majstor       INTEGER,            -- majstori.ma_id
    majstor_ime   TEXT,
    CONSTRAINT UQ_avtomatika_ID_avtomatika UNIQUE (ID_avtomatika)
);
CREATE INDEX IX_avtomatika_majstor ON avtomatika (majstor);

-- Installers. ma_pass is compared by the login statement as stored.
CREATE TABLE majstori (
    ma_id       INTEGER PRIMARY KEY AUTOINCREMENT,
    ma_ime      TEXT,
    ma_username TEXT NOT NULL,
    ma_pass     TEXT NOT NULL,
    ma_lokacija TEXT,
    ma_tel      TEXT
);

-- Catalogue of hydraulic schematics.
CREATE TABLE Schematic (
    SchematicID          INTEGER PRIMARY KEY AUTOINCREMENT,
    SchematicNumber      INTEGER NOT NULL,
    SchematicSubgroup    TEXT,
    SchematicDescription TEXT,
    SchematicURL         TEXT
);

-- Parameter registers of each schematic.
CREATE TABLE schematics (
    sch_id          INTEGER PRIMARY KEY AUTOINCREMENT,
    sch_schematic   INTEGER NOT NULL,
    sch_regnum      INTEGER NOT NULL,
    sch_group       TEXT,
    sch_subgroup    TEXT,
    sch_regname     TEXT,
    sch_regval      INTEGER NOT NULL DEFAULT 0,
    sch_minval      INTEGER NOT NULL DEFAULT 0,
    sch_maxval      INTEGER NOT NULL DEFAULT 0,
    sch_description TEXT,
    sch_visible     INTEGER NOT NULL DEFAULT 0,  -- 0: shown to every installer
    sch_regtype     INTEGER NOT NULL DEFAULT 0   -- only 0 is read
);
CREATE INDEX IX_schematics_schematic ON schematics (sch_schematic, sch_regnum);

-- Captions of one controller's panels, keyed by DeviceID (its serial number).
CREATE TABLE Names (
    NamesID         INTEGER PRIMARY KEY AUTOINCREMENT,
    DeviceID        TEXT NOT NULL,
    TempSensor1     TEXT,
    TempSensor2     TEXT,
    TempSensor3     TEXT,
    TempSensor4     TEXT,
    TempSensor5     TEXT,
    TempImg1        INTEGER,
    TempImg2        INTEGER,
    TempImg3        INTEGER,
    TempImg4        INTEGER,
    TempImg5        INTEGER,
    Relay1          TEXT,
    Relay2          TEXT,
    Relay3          TEXT,
    Relay4          TEXT,
    Relay5          TEXT,
    WantedTemp1     TEXT,
    WantedTemp2     TEXT,
    WantedTemp3     TEXT,
    WantedTemp4     TEXT,
    WantedTemp5     TEXT,
    CheckBoxDevice1 TEXT,
    CheckBoxDevice2 TEXT,
    CheckBoxDevice3 TEXT,
    CheckBoxDevice4 TEXT,
    CheckBoxDevice5 TEXT,
    TimerCheckBox1  TEXT,
    TimerCheckBox2  TEXT,
    TimerCheckBox3  TEXT,
    TimerCheckBox4  TEXT,
    TimerCheckBox5  TEXT,
    Plot1           TEXT,
    Plot2           TEXT,
    Plot3           TEXT,
    Plot4           TEXT
);
CREATE INDEX IX_Names_DeviceID ON Names (DeviceID);

-- Temperature archive, filled outside the program; ime is the serial number
-- followed by "/T".
-- The archive statement compares datum with a text parameter written as
-- month/day/year and orders by vreme, whose text labels the chart. SQLite has
-- no date or time type, so both are text that compares and sorts the same way:
--   datum  'MM/DD/YYYY', two-digit month and day, '/' between (e.g. '05/17/2024');
--          equality with the parameter is plain text equality, so the day
--          parameter must use '/' on this edition;
--   vreme  'HH:MM' (or 'HH:MM:SS') on the 24-hour clock, zero-padded ('07:05'),
--          so that text order is time order.
-- The CHECKs keep rows that would compare or sort wrongly out of the table.
CREATE TABLE vivedidode (
    id        INTEGER PRIMARY KEY AUTOINCREMENT,
    ime       TEXT NOT NULL,
    datum     TEXT NOT NULL CHECK (datum GLOB '[01][0-9]/[0-3][0-9]/[0-9][0-9][0-9][0-9]'),
    vreme     TEXT NOT NULL CHECK (vreme GLOB '[0-2][0-9]:[0-5][0-9]'
                                   OR vreme GLOB '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'),
    T_Solar   REAL,
    T_Bojler  REAL,
    T_Kotel   REAL,
    T_Spirala REAL
);
CREATE INDEX IX_vivedidode_day ON vivedidode (ime, datum, vreme);

-- Published releases; exactly one row is expected to have VersionIsLatest = 1.
CREATE TABLE Versions (
    VersionID          INTEGER PRIMARY KEY AUTOINCREMENT,
    VersionIsLatest    INTEGER NOT NULL DEFAULT 0,
    VersionNumber      TEXT    NOT NULL,
    VersionLink        TEXT,
    VersionTitle       TEXT,
    VersionDescription TEXT
);

-- Mail accounts through which problem reports are sent, one row per account.
CREATE TABLE MailSenders (
    MailSenderID          INTEGER PRIMARY KEY AUTOINCREMENT,
    MailSenderSMTPServer  TEXT    NOT NULL,
    MailSenderSMTPPort    INTEGER NOT NULL DEFAULT 25,
    MailSenderUsername    TEXT,
    MailSenderPassword    TEXT,
    MailSenderTargetEmail TEXT    NOT NULL
);

COMMIT;
