-- SPDX-License-Identifier: MIT
-- The MSI's texts that a user reads, in Bulgarian: msi.cmake runs each statement on the database
-- wixl built, once it is set to codepage 1251. Each replaces a name in brackets from malvoran.wxs.
UPDATE `LaunchCondition` SET `Description` = 'На този компютър вече е инсталирана по-нова версия на Malvoran.' WHERE `Description` = '[newer version installed]'
UPDATE `LaunchCondition` SET `Description` = 'Malvoran работи под 64-битов Windows 7 със Service Pack 1 или по-нов Windows.' WHERE `Description` = '[Windows too old]'
UPDATE `Shortcut` SET `Description` = 'Цветният код на резисторите, за часа по физика' WHERE `Description` = '[shortcut]'
