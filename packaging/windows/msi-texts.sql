-- SPDX-License-Identifier: MIT
-- The MSI's texts that a user reads, in Bulgarian: msi.cmake runs each statement on the database
-- wixl built, once it is set to codepage 1251. Each replaces a name in brackets from malvoran.wxs, or
-- the practice shortcut's plain name, which is its file name in the Start menu ("short|long").
UPDATE `LaunchCondition` SET `Description` = 'На този компютър вече е инсталирана по-нова версия на Malvoran.' WHERE `Description` = '[newer version installed]'
UPDATE `LaunchCondition` SET `Description` = 'Malvoran работи под 64-битов Windows 7 със Service Pack 1 или по-нов Windows.' WHERE `Description` = '[Windows too old]'
UPDATE `Shortcut` SET `Description` = 'Цветният код на резисторите, за часа по физика' WHERE `Description` = '[shortcut]'
UPDATE `Shortcut` SET `Description` = 'Упражнение по цветния код на резисторите: кръгове от по десет задачи' WHERE `Description` = '[practice shortcut]'
UPDATE `Shortcut` SET `Name` = 'MALVOR~1|Malvoran — упражнение' WHERE `Shortcut` = 'PracticeShortcut'
