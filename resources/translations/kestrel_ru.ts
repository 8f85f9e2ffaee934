<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CLogFilterDialog</name>
    <message>
        <location filename="../../forms/CLogFilterDialog.ui" line="+6"/>
        <source>Event Log Filter</source>
        <translation>Фильтр журнала событий</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>All Data</source>
        <translation>Все данные</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Data That Match Conditions:</source>
        <translation>Данные, отвечающие условиям:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Period from</source>
        <translation>Период с</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>to</source>
        <translation>по</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Events longer than </source>
        <translation>События длительностью более </translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+30"/>
        <source>seconds</source>
        <translation>с</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>Merge events when gaps are less than</source>
        <translation>Объединять события при паузах менее</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Types of signal</source>
        <translation>Типы сигналов</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>WLAN</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>CDMA</source>
        <translation>CDMA</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>3G</source>
        <translation>3G</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Traffic</source>
        <translation>Трафик</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>4G-LTE</source>
        <translation>4G-LTE</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>SCAN</source>
        <translation>SCAN</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Jammer</source>
        <translation>Подавитель</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Selected modules</source>
        <translation>Выбранные модули</translation>
    </message>
    <message>
        <location line="+114"/>
        <source>Show only ready events</source>
        <translation>Показывать только завершённые события</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../../eventlog/CLogFilterDialog.cpp" line="+101"/>
        <source>Start date cannot be greater than end one!</source>
        <translation>Дата начала не может быть позже даты окончания!</translation>
    </message>
</context>
<context>
    <name>CLogWindow</name>
    <message>
        <location filename="../../eventlog/CLogWindow.cpp" line="+44"/>
        <location line="+81"/>
        <source>Event Log #%1</source>
        <translation>Журнал событий №%1</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Event Log #%1 [filtered]</source>
        <translation>Журнал событий №%1 [отфильтрован]</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Event Log [filtered] from file: %1</source>
        <translation>Журнал событий [отфильтрован] из файла: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Event Log from file: %1</source>
        <translation>Журнал событий из файла: %1</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Save Log As</source>
        <translation>Сохранить журнал как</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+23"/>
        <source>Log files (*.xml)</source>
        <translation>Файлы журнала (*.xml)</translation>
    </message>
    <message>
        <location line="-29"/>
        <location line="+183"/>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location line="-162"/>
        <location line="+48"/>
        <source>Cannot write the file %1:
%2</source>
        <translation>Не удаётся записать файл %1:
%2</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>Load Log</source>
        <translation>Загрузить журнал</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Cannot open the file %1:
%2</source>
        <translation>Не удаётся открыть файл %1:
%2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Export Log</source>
        <translation>Экспорт журнала</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Web page (*.htm)</source>
        <translation>Веб-страница (*.htm)</translation>
    </message>
    <message>
        <location line="+9"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+19"/>
        <source>Date/Time</source>
        <translation>Дата/время</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+0"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+1"/>
        <source>Module</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+0"/>
        <source>Signal Type</source>
        <translation>Тип сигнала</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+1"/>
        <source>Signal Level</source>
        <translation>Уровень сигнала</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../../eventlog/EventTableModel.cpp" line="+0"/>
        <source>Exceeding</source>
        <translation>Превышение</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Frequency (MHz)</source>
        <translation>Частота (МГц)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>KESTREL Event Log</source>
        <translation>Журнал событий KESTREL</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Do you want to clear the log?</source>
        <translation>Очистить журнал?</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Bypass this frequency</source>
        <translation>Исключить эту частоту</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bypass this frequency for all</source>
        <translation>Исключить эту частоту для всех модулей</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Send this item to the external receiver via USB</source>
        <translation>Передать на внешний приёмник по USB</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>NO SEARCHING MODUL!!!</source>
        <translation>НЕТ ПОИСКОВОГО МОДУЛЯ!!!</translation>
    </message>
    <message>
        <location filename="../../eventlog/EventTableModel.cpp" line="+1"/>
        <source>Freq. (MHz)</source>
        <translation>Част. (МГц)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 dBm</source>
        <translation>%1 дБм</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>In progress</source>
        <translation>Продолжается</translation>
    </message>
</context>
<context>
    <name>CLogWindowClass</name>
    <message>
        <location filename="../../forms/CLogWindow.ui" line="+14"/>
        <source>Event Log</source>
        <translation>Журнал событий</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>New</source>
        <translation>Новый</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Load...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Filter...</source>
        <translation>Фильтр...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Refresh every 10 s</source>
        <translation>Обновлять каждые 10 с</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Max events for module:</source>
        <translation>Макс. событий на модуль:</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Events Shown:</source>
        <translation>Показано событий:</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CMainWindow</name>
    <message>
        <location filename="../../forms/CMainWindow.ui" line="+9"/>
        <source>HARRIER Tablet DEMO</source>
        <translation>HARRIER Tablet DEMO</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Tool Bar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Event Log...</source>
        <translation>Журнал событий...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Opens new log window</source>
        <translation>Открывает новое окно журнала</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Rearrange Modules</source>
        <translation>Упорядочить модули</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>test</source>
        <translation>тест</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Rename...</source>
        <translation>Переименовать...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Configuration...</source>
        <translation>Конфигурация...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Localization</source>
        <translation>Локализация</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>About...</source>
        <translation>О программе...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Common Device Settings...</source>
        <translation>Общие настройки устройств...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <location filename="../../app/CMainWindow.cpp" line="+276"/>
        <source>%1 - Version %2</source>
        <translation>%1 - Версия %2</translation>
    </message>
    <message>
        <location line="-164"/>
        <location line="+126"/>
        <source>Total: %1</source>
        <translation>Всего: %1</translation>
    </message>
    <message>
        <location line="-125"/>
        <location line="+127"/>
        <source>Correct: %1</source>
        <translation>Исправных: %1</translation>
    </message>
    <message>
        <location line="-126"/>
        <location line="+168"/>
        <source>USB connection status: </source>
        <translation>Состояние USB-подключения: </translation>
    </message>
    <message>
        <location line="-53"/>
        <source>Success</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The operation completed successfully</source>
        <translation>Операция успешно завершена</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>USB connection status: OK</source>
        <translation>Состояние USB-подключения: ОК</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB connection status: NO DEVICE</source>
        <translation>Состояние USB-подключения: НЕТ УСТРОЙСТВА</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB connection status: DATA ERROR</source>
        <translation>Состояние USB-подключения: ОШИБКА ДАННЫХ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB connection status: PACKAGE DATA ERROR</source>
        <translation>Состояние USB-подключения: ОШИБКА ДАННЫХ ПАКЕТА</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB connection status: SEARCHING MODUL</source>
        <translation>Состояние USB-подключения: ИДЁТ ПОИСК МОДУЛЯ</translation>
    </message>
    <message>
        <location line="+95"/>
        <source>Do you want to reset all settings to defaults?</source>
        <translation>Сбросить все настройки к значениям по умолчанию?</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>About </source>
        <translation>О программе </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version </source>
        <translation>Версия </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copyright (C) %1 %2. All rights reserved.</source>
        <translation>© %1 %2. Все права защищены.</translation>
    </message>
</context>
<context>
    <name>CManualWindow</name>
    <message>
        <location filename="../../forms/CManualWindow.ui" line="+9"/>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
</context>
<context>
    <name>CModuleWindow</name>
    <message>
        <location filename="../../forms/CModuleWindow.ui" line="+8"/>
        <source>Module</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <location line="+192"/>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <location filename="../../display/CModuleWindow.cpp" line="+196"/>
        <source>Rename module</source>
        <translation>Переименование модуля</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New module name</source>
        <translation>Новое имя модуля</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Rename...</source>
        <translation>Переименовать...</translation>
    </message>
    <message>
        <location filename="../../display/ModuleStatus.cpp" line="+12"/>
        <source>Module </source>
        <translation>Модуль </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>WRONG CONFIGURATION!!!</source>
        <translation>НЕВЕРНАЯ КОНФИГУРАЦИЯ!!!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SPECTRUM CHANGED!!!</source>
        <translation>СПЕКТР ИЗМЕНИЛСЯ!!!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>NO JAMMER!!! </source>
        <translation>НЕТ ПОДАВИТЕЛЯ!!! </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>BAD SUPPRESSION!!!</source>
        <translation>ПЛОХОЕ ПОДАВЛЕНИЕ!!!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SUPPRESSION CHANGED!!!</source>
        <translation>ПОДАВЛЕНИЕ ИЗМЕНИЛОСЬ!!!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SUPPRESSION CHANGED !!!</source>
        <translation>ПОДАВЛЕНИЕ ИЗМЕНИЛОСЬ !!!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>SUPPRESSION OK</source>
        <translation>ПОДАВЛЕНИЕ В НОРМЕ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SUPPRESSION OK = %1%</source>
        <translation>ПОДАВЛЕНИЕ В НОРМЕ = %1%</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>No data for %1 s...</source>
        <translation>Нет данных %1 с...</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <location filename="../../forms/COptionsDialog.ui" line="+9"/>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Module indication</source>
        <translation>Индикация модулей</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Blinking red alarm bar</source>
        <translation>Мигающая красная полоса тревоги</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Just red alarm bar</source>
        <translation>Постоянная красная полоса тревоги</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No red alarm bar</source>
        <translation>Без красной полосы тревоги</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>link indication</source>
        <translation>индикация связи</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Background Image</source>
        <translation>Фоновое изображение</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+30"/>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <location line="-22"/>
        <source>Audio Alarm</source>
        <translation>Звуковая тревога</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Use PC speaker</source>
        <translation>Встроенный динамик ПК</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Play file</source>
        <translation>Воспроизводить файл</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Localization of signals</source>
        <translation>Локализация сигналов</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Scale</source>
        <translation>Шкала</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>5 dB</source>
        <translation>5 дБ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>10 dB</source>
        <translation>10 дБ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20 dB</source>
        <translation>20 дБ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>40 dB</source>
        <translation>40 дБ</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../../app/COptionsDialog.cpp" line="+71"/>
        <source>No media file was selected!</source>
        <translation>Не выбран звуковой файл!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No image file was selected!</source>
        <translation>Не выбран файл изображения!</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Select an audio file for alarm</source>
        <translation>Выберите звуковой файл для тревоги</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Waveform audio files (*.wav)</source>
        <translation>Звуковые файлы WAV (*.wav)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Select an image file for background</source>
        <translation>Выберите файл изображения для фона</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Image files (*.jpg)</source>
        <translation>Файлы изображений (*.jpg)</translation>
    </message>
</context>
<context>
    <name>CSignalTypeStr</name>
    <message>
        <location filename="../../net/CSignalTypeStr.cpp" line="+8"/>
        <source>CDMA450</source>
        <translation>CDMA450</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GSM 900</source>
        <translation>GSM 900</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GSM 1800</source>
        <translation>GSM 1800</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3G-2100</source>
        <translation>3G-2100</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3G-900</source>
        <translation>3G-900</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3G SMS</source>
        <translation>3G SMS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WLAN 2.4</source>
        <translation>WLAN 2.4</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WLAN 5</source>
        <translation>WLAN 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Traffic 2.4</source>
        <translation>Трафик 2.4</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Traffic 5</source>
        <translation>Трафик 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4G-2600</source>
        <translation>4G-2600</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jammer GSM</source>
        <translation>Подавитель GSM</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jammer GPS</source>
        <translation>Подавитель GPS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SCAN</source>
        <translation>SCAN</translation>
    </message>
</context>
<context>
    <name>MyServer</name>
    <message>
        <location filename="../../net/MyServer.cpp" line="+14"/>
        <source>Server Error</source>
        <translation>Ошибка сервера</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unable to start the server:</source>
        <translation>Не удалось запустить сервер:</translation>
    </message>
</context>
</TS>
