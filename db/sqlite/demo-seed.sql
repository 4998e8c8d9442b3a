-- Demo data for the SQLite edition: run after schema.sql.
--   sqlite3 termovia.sqlite < schema.sql && sqlite3 termovia.sqlite < demo-seed.sql
--
-- Logins (plain passwords, for the demo only):
--   owners     demo / demo1234    administrator of the account of TV0001 "Куќа"
--              marija / demo1234  further user of the same account
--              petar / demo1234   administrator of the account of TV0003 "Стан"
--   installer  majstor / majstor1234
-- TV0004 and TV0005 are made but not registered to any account, for trying the
-- registration and the adding of a controller.
--
-- k_pass is the lower-case hex SHA-256 of the UTF-8 bytes of password + k_salt;
-- each salt is the SHA-256 of the decimal text of a number, as the program
-- makes them (demo 1384752931, marija 907114582, petar 1650389027).

BEGIN;

INSERT INTO majstori (ma_id, ma_ime, ma_username, ma_pass, ma_lokacija, ma_tel) VALUES
    (1, 'Горан Стојановски', 'majstor', 'majstor1234', 'Битола', '070 123 456');

INSERT INTO avtomatika (ID_avtomatika, ime, majstor, majstor_ime) VALUES
    ('TV0001', 'Куќа Трајковски', 1, 'Трајковски - куќа'),
    ('TV0002', 'Викендица Трајковски', 1, 'Трајковски - викендица'),
    ('TV0003', 'Стан Петровски', 1, 'Петровски - стан'),
    ('TV0004', 'Нерегистрирана 4', 1, 'Резерва 1'),
    ('TV0005', 'Нерегистрирана 5', 1, 'Резерва 2');

-- Administrator rows leave empty slots NULL; the further user, created later,
-- carries the account's slots as empty text.
INSERT INTO korisnici (k_user, k_pass, k_salt, k_email, k_tip, k_avtomatika, k_avtomatika_ime,
                       k_avtomatika_1, k_avtomatika_1_ime, k_avtomatika_2, k_avtomatika_2_ime,
                       k_avtomatika_3, k_avtomatika_3_ime, k_avtomatika_4, k_avtomatika_4_ime,
                       k_avtomatika_5, k_avtomatika_5_ime) VALUES
    ('demo',
     'c3890187b53356aa35c603fa30885a110d6af0ca9f412a6418471a7bd0defde7',
     '00649eb0118347931034f49346ed0c6d039a0031d59ed778158426498dd60d95',
     'demo@termovia.local', 0, 'TV0001', 'Куќа',
     'TV0002', 'Викендица', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
    ('marija',
     'bd6d756362224b694c4ae02bb1fa65dd1b650b7534566b7206f3555748d7489a',
     '5f1ca108a3ad9738b667e93ecaaf9388e26c913641e4443d703563954ed1c3f1',
     'marija@termovia.local', 1, 'TV0001', 'Куќа',
     'TV0002', 'Викендица', '', '', '', '', '', '', '', ''),
    ('petar',
     '928a1d7a87d501fc89f26933b3c69aa1887355a338d34dab2a92a1b02d053be1',
     '56ef597f44c54d480e087d094cbda6de2cc125813db0bd25fcee72906d4842cf',
     'petar@termovia.local', 0, 'TV0003', 'Стан',
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO Schematic (SchematicNumber, SchematicSubgroup, SchematicDescription, SchematicURL) VALUES
    (1,  'Соларен систем', 'Соларен колектор, бојлер со горна и долна сонда, котел и надворешен уред', ''),
    (2,  'Соларен систем', 'Соларен колектор, бојлер и котел, со еден тајмер за грејачот', ''),
    (10, 'Два резервоари', 'Соларен колектор што полни два бојлери преку вентили', ''),
    (11, 'Два резервоари', 'Соларен колектор и два бојлери, со еден тајмер за грејачот', ''),
    (12, 'Два резервоари', 'Соларен колектор, бојлер и бафер, со пумпа за рециркулација', ''),
    (13, 'Два резервоари', 'Соларен колектор, бојлер и бафер, со разделник и вентил за котел', ''),
    (15, 'Два колектори',  'Два соларни колектори на еден бојлер, со надворешен уред', ''),
    (16, 'Два колектори',  'Два соларни колектори на еден бојлер', ''),
    (18, 'Три бојлери',    'Соларен колектор што полни три бојлери', ''),
    (20, 'Четири уреди',   'Четири бојлери, секој со свој грејач', ''),
    (21, 'Четири уреди',   'Два котли, круг за рециркулација и бојлер', '');

-- Parameter registers: sch_visible 1 rows are seen only by the built-in account.
INSERT INTO schematics (sch_schematic, sch_regnum, sch_group, sch_subgroup, sch_regname,
                        sch_regval, sch_minval, sch_maxval, sch_description, sch_visible, sch_regtype) VALUES
    (1, 31, 'Соларен систем', 'Пумпа солар', 'Вклучување пумпа солар (ΔT)', 8, 2, 20,
        'Разлика меѓу колекторот и бојлерот при која се вклучува соларната пумпа', 0, 0),
    (1, 32, 'Соларен систем', 'Пумпа солар', 'Исклучување пумпа солар (ΔT)', 4, 1, 15,
        'Разлика меѓу колекторот и бојлерот при која соларната пумпа се исклучува', 0, 0),
    (1, 33, 'Бојлер', 'Заштита', 'Максимална температура бојлер', 80, 40, 95,
        'Над оваа температура бојлерот не се полни од колекторот', 0, 0),
    (1, 35, 'Котел', 'Пумпа котел', 'Вклучување пумпа котел', 55, 30, 80,
        'Температура на котелот над која работи пумпата на котелот', 0, 0),
    (1, 36, 'Котел', 'Пумпа котел', 'Хистерезис пумпа котел', 5, 1, 15,
        'Разлика за повторно вклучување на пумпата на котелот', 1, 0),
    (1, 40, 'Соларен систем', 'Заштита', 'Заштита од замрзнување колектор', 4, -10, 10,
        'Под оваа температура на колекторот пумпата се вклучува за заштита', 1, 0),
    (10, 31, 'Вентили', 'Бојлер 1', 'Вклучување вентил бојлер 1 (ΔT)', 7, 2, 20,
        'Разлика меѓу колекторот и бојлерот 1 при која се отвора вентилот', 0, 0),
    (10, 32, 'Вентили', 'Бојлер 2', 'Вклучување вентил бојлер 2 (ΔT)', 7, 2, 20,
        'Разлика меѓу колекторот и бојлерот 2 при која се отвора вентилот', 0, 0),
    (10, 33, 'Бојлер', 'Бојлер 1', 'Максимална температура бојлер 1', 75, 40, 95,
        'Над оваа температура бојлерот 1 не се полни', 0, 0),
    (10, 34, 'Бојлер', 'Бојлер 2', 'Максимална температура бојлер 2', 70, 40, 95,
        'Над оваа температура бојлерот 2 не се полни', 0, 0),
    (10, 45, 'Вентили', 'Време', 'Време на движење на вентил (s)', 30, 5, 120,
        'Колку секунди му требаат на вентилот да се отвори до крај', 1, 0);

-- Captions of TV0001; the other columns stay NULL, so the panels use their defaults there.
-- TV0002 has no row at all.
INSERT INTO Names (DeviceID, TempSensor1, TempSensor2, TempSensor4, TempImg1, TempImg2, TempImg4,
                   Relay1, Relay3, WantedTemp1, TimerCheckBox1, Plot1, Plot2, Plot3) VALUES
    ('TV0001', 'Колектор на покрив', 'Бојлер 200 л', 'Котел на дрва', 36, 34, 35,
     'Соларна пумпа', 'Грејач во бојлер', 'Топла вода', 'Грејач', 'Колектор', 'Бојлер', 'Котел');

-- Archive of TV0001: the day before yesterday, yesterday and today up to now,
-- one sample every 10 minutes. The collector follows the sun (peak at 13:00),
-- the boiler warms in the afternoon and cools at night, the furnace burns in
-- the morning and the evening, the lower boiler sensor trails the upper one.
INSERT INTO vivedidode (ime, datum, vreme, T_Solar, T_Bojler, T_Kotel, T_Spirala)
WITH RECURSIVE
    days(d) AS (VALUES (2) UNION ALL SELECT d - 1 FROM days WHERE d > 0),
    slots(m) AS (VALUES (0) UNION ALL SELECT m + 10 FROM slots WHERE m < 1430),
    samples AS (
        SELECT d, m,
               date('now', 'localtime', '-' || d || ' days') AS day,
               printf('%02d:%02d', m / 60, m % 60) AS hhmm,
               ((m * 7 + d * 13) % 11 - 5) / 10.0 AS noise
        FROM days, slots
    ),
    curves AS (
        SELECT day, hhmm, d,
               14 - d + 52 * max(0, 1 - ((m - 780) / 360.0) * ((m - 780) / 360.0)) + noise AS solar,
               CASE WHEN m < 600 THEN 44 - 6 * m / 600.0
                    WHEN m < 960 THEN 38 + 20 * (m - 600) / 360.0
                    ELSE 58 - 14 * (m - 960) / 480.0 END + noise / 2 AS boiler,
               22 + 46 * max(0, 1 - ((m - 450) / 120.0) * ((m - 450) / 120.0))
                  + 48 * max(0, 1 - ((m - 1170) / 180.0) * ((m - 1170) / 180.0)) + noise AS furnace
        FROM samples
        WHERE d > 0 OR hhmm <= strftime('%H:%M', 'now', 'localtime')
    )
SELECT 'TV0001/T', strftime('%m/%d/%Y', day), hhmm,
       round(solar, 1), round(boiler, 1), round(furnace, 1), round(boiler - 7 + d / 2.0, 1)
FROM curves
ORDER BY day, hhmm;

INSERT INTO Versions (VersionIsLatest, VersionNumber, VersionLink, VersionTitle, VersionDescription) VALUES
    (0, '2.D.080', '', 'Termovia 2.D.080',
        'Нов изглед на прегледот и подесувањата. Распореди за шемите 15, 16 и 18.'),
    (1, '2.D.088', '', 'Termovia 2.D.088',
        'Распореди за шемите 20 и 21, архива на температури по денови и побрзо поврзување со автоматиката.');

INSERT INTO MailSenders (MailSenderSMTPServer, MailSenderSMTPPort, MailSenderUsername, MailSenderPassword,
                         MailSenderTargetEmail) VALUES
    ('127.0.0.1', 2525, 'reports@termovia.local', 'demo-smtp-2024', 'support@termovia.local');

COMMIT;
