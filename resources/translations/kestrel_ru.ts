<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CBypassDialog</name>
    <message>
        <location filename="../../forms/CBypassDialog.ui" line="+14"/>
        <source>List of bypass frequencies</source>
        <translation>Список частот обхода</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Start freq, MHz</source>
        <translation>Нач. частота, МГц</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>End freq, MHz</source>
        <translation>Кон. частота, МГц</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Band, MHz</source>
        <translation>Полоса, МГц</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pattern</source>
        <translation>Шаблон</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../settings/CBypassDialog.cpp" line="+54"/>
        <source>NO DATA</source>
        <translation>НЕТ ДАННЫХ</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Waiting</source>
        <translation>Ожидание</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>may take up to</source>
        <translation>может занять до</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>30 sec...</source>
        <translation>30 сек...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>DIGIT_</source>
        <translation>DIGIT_</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PATT1_</source>
        <translation>PATT1_</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PATT2_</source>
        <translation>PATT2_</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MANUAL_</source>
        <translation>MANUAL_</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Delete the bypass string</source>
        <translation>Удалить строку обхода</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Save Bypass As</source>
        <translation>Сохранить список обхода как</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Bypass files (*.xml)</source>
        <translation>Файлы обхода (*.xml)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cannot write the file %1:
%2</source>
        <translation>Не удалось записать файл %1:
%2</translation>
    </message>
</context>
<context>
    <name>CConfigurationDialog</name>
    <message>
        <location filename="../../forms/CConfigurationDialog.ui" line="+14"/>
        <source>Device Configuration Dialog</source>
        <translation>Конфигурирование устройства</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>ETHERNET Settings</source>
        <translation>Настройки ETHERNET</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+147"/>
        <location filename="../../usb/CConfigurationDialog.cpp" line="+210"/>
        <source>Server address</source>
        <translation>Адрес сервера</translation>
    </message>
    <message>
        <location line="-137"/>
        <source>Server address example: 192.168.1.64</source>
        <translation>Пример адреса сервера: 192.168.1.64</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+140"/>
        <source>Module number</source>
        <translation>Номер модуля</translation>
    </message>
    <message>
        <location line="-126"/>
        <location line="+158"/>
        <source>Send to device</source>
        <translation>Записать в устройство</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+158"/>
        <source>Request from device</source>
        <translation>Прочитать из устройства</translation>
    </message>
    <message>
        <location line="-138"/>
        <source>Wi-Fi Settings</source>
        <translation>Настройки Wi-Fi</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>WiFi Settings</source>
        <translation>Настройки WiFi</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>SSID (up to 32 symbols)</source>
        <translation>SSID (до 32 символов)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Security type</source>
        <translation>Тип защиты</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>OPEN</source>
        <translation>OPEN</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WEP</source>
        <translation>WEP</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WPA1 - TKIP</source>
        <translation>WPA1 - TKIP</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WPA1 - AES</source>
        <translation>WPA1 - AES</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WPA2 - AES</source>
        <translation>WPA2 - AES</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WPA2 - TKIP</source>
        <translation>WPA2 - TKIP</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WPA2 - Mixed</source>
        <translation>WPA2 - смешанный</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Password (up to 32 symbols)</source>
        <translation>Пароль (до 32 символов)</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Module address (AUTO if not checked)</source>
        <translation>Адрес модуля (АВТО, если не отмечено)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Server or module address example: 192.168.1.64</source>
        <translation>Пример адреса сервера или модуля: 192.168.1.64</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Sending string </source>
        <translation>Отправляемая строка </translation>
    </message>
    <message>
        <location line="+10"/>
        <source>send</source>
        <translation>отправить</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Receiving string</source>
        <translation>Принятая строка</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Tuning</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Base Stations Spectrum</source>
        <translation>Спектр базовых станций</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>CDMA450 GSM900             GSM1800                                3G-2100                                                4G-2600</source>
        <translation>CDMA450 GSM900             GSM1800                                3G-2100                                                4G-2600</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Connection status:</source>
        <translation>Состояние связи:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Suppression parameters</source>
        <translation>Параметры подавления</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Suppression Factor (dB)</source>
        <translation>Коэффициент подавления (дБ)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Suppression quality =</source>
        <translation>Качество подавления =</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Average factor</source>
        <translation>Время усреднения</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>15 sec</source>
        <translation>15 с</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>30 sec</source>
        <translation>30 с</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1 min</source>
        <translation>1 мин</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>2 min</source>
        <translation>2 мин</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>4 min</source>
        <translation>4 мин</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Surplus of quality =</source>
        <translation>Запас качества =</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Max Suppression Quality error (%)</source>
        <translation>Макс. отклонение качества подавления (%)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Lack of quality =</source>
        <translation>Недостаток качества =</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Max Add Quality error</source>
        <translation>Макс. отклонение запаса качества</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Device indication and offline mode (out of network)</source>
        <translation>Индикация устройства и автономный режим (вне сети)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Enable offline mode;</source>
        <translation>Включить автономный режим;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>LED:</source>
        <translation>Светодиод:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Power + Link</source>
        <translation>Питание + связь</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Diagnostic</source>
        <translation>Диагностика</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Alarm</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Alarm + Diagnostic</source>
        <translation>Тревога + диагностика</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Alarm Sound</source>
        <translation>Звук тревоги</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Step-by-step configuration</source>
        <translation>Пошаговая настройка</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Status:</source>
        <translation>Состояние:</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>1. Start</source>
        <translation>1. Начать</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>2. Grab Base Stations Level</source>
        <translation>2. Запомнить уровень базовых станций</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>3. Grab Suppression Parameters</source>
        <translation>3. Запомнить параметры подавления</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>4. Save Pattern</source>
        <translation>4. Сохранить шаблон</translation>
    </message>
    <message>
        <location line="+28"/>
        <location filename="../../usb/CConfigurationDialog.cpp" line="+175"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../usb/CConfigurationDialog.cpp" line="-279"/>
        <source>Status: Message 1</source>
        <translation>Состояние: сообщение 1</translation>
    </message>
    <message>
        <location line="+60"/>
        <location line="+7"/>
        <location line="+5"/>
        <location line="+4"/>
        <location line="+51"/>
        <location line="+4"/>
        <location line="+6"/>
        <location line="+5"/>
        <location line="+54"/>
        <location line="+3"/>
        <location line="+16"/>
        <location line="+4"/>
        <location line="+6"/>
        <location line="+7"/>
        <location line="+5"/>
        <location line="+2"/>
        <location line="+7"/>
        <location line="+5"/>
        <location line="+13"/>
        <location line="+2"/>
        <location line="+152"/>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location line="-351"/>
        <location line="+132"/>
        <location line="+26"/>
        <location line="+21"/>
        <location line="+78"/>
        <source>Connection status: USB ERROR</source>
        <translation>Состояние связи: ОШИБКА USB</translation>
    </message>
    <message>
        <location line="-248"/>
        <location line="+161"/>
        <location line="+27"/>
        <source>Connection status: WRONG DEVICE</source>
        <translation>Состояние связи: НЕВЕРНОЕ УСТРОЙСТВО</translation>
    </message>
    <message>
        <location line="-136"/>
        <source>&apos;SSID&apos; and &apos;Server address&apos; fields must be filled</source>
        <translation>Поля «SSID» и «Адрес сервера» должны быть заполнены</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&apos;Module address&apos; must be four numbers from 0 to 255 separated by dots, for example 192.168.1.64</source>
        <translation>«Адрес модуля» должен состоять из четырёх чисел от 0 до 255, разделённых точками, например 192.168.1.64</translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Connection status: ANOTHER CONNECTION IS ESTABLISHED</source>
        <translation>Состояние связи: УСТАНОВЛЕНО ДРУГОЕ СОЕДИНЕНИЕ</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+53"/>
        <source>The data has been received successfully</source>
        <translation>Данные успешно получены</translation>
    </message>
    <message>
        <location line="-52"/>
        <source>The current WiFi Settings from the device:

SSID: %1

Security type and Password: %2

Server address: %3

Module number: %4

Module address: %5

Firmware version: %6</source>
        <translation>Текущие настройки WiFi устройства:

SSID: %1

Тип защиты и пароль: %2

Адрес сервера: %3

Номер модуля: %4

Адрес модуля: %5

Версия прошивки: %6</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&apos;Server address&apos; field must be filled</source>
        <translation>Поле «Адрес сервера» должно быть заполнено</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&apos;Server address&apos; must be four numbers from 0 to 255 separated by dots or commas, for example 192.168.1.64</source>
        <translation>«Адрес сервера» должен состоять из четырёх чисел от 0 до 255, разделённых точками или запятыми, например 192.168.1.64</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+160"/>
        <location line="+19"/>
        <source>Connection status: USB OK. DATA ERROR</source>
        <translation>Состояние связи: USB в норме. ОШИБКА ДАННЫХ</translation>
    </message>
    <message>
        <location line="-190"/>
        <location line="+71"/>
        <source>&apos;%1&apos; must not contain &apos;}&apos;, control characters or characters the device cannot receive</source>
        <translation>Поле «%1» не должно содержать «}», управляющих символов и символов, которые устройство не может принять</translation>
    </message>
    <message>
        <location line="-69"/>
        <source>Sending string</source>
        <translation>Отправляемая строка</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Module address</source>
        <translation>Адрес модуля</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>&apos;Server address&apos; must be an IPv4 address such as 192.168.1.64 or a host name of letters, digits, dots and hyphens</source>
        <translation>«Адрес сервера» должен быть адресом IPv4, например 192.168.1.64, или именем узла из латинских букв, цифр, точек и дефисов</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Success</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connection status: DATA SENT SUCCESSFULLY</source>
        <translation>Состояние связи: ДАННЫЕ УСПЕШНО ПЕРЕДАНЫ</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+27"/>
        <source>Connection status: DATA ERROR</source>
        <translation>Состояние связи: ОШИБКА ДАННЫХ</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Server address: %1.%2.%3.%4

 Module number: %5

 Firmware version: %6</source>
        <translation>Адрес сервера: %1.%2.%3.%4

 Номер модуля: %5

 Версия прошивки: %6</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>OK - RESTART</source>
        <translation>OK - ПЕРЕЗАПУСК</translation>
    </message>
    <message>
        <location line="+20"/>
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
        <location line="+1"/>
        <source>ALL RIGHT</source>
        <translation>ВСЁ В ПОРЯДКЕ</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Connection status: Data error!</source>
        <translation>Состояние связи: ошибка данных!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Status: Message 4 %1 %2 %3 %4</source>
        <translation>Состояние: сообщение 4 %1 %2 %3 %4</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Status: Message 5</source>
        <translation>Состояние: сообщение 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The pattern and settings were saved into the device successfully.</source>
        <translation>Шаблон и настройки успешно сохранены в устройстве.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Connection status: Data received!</source>
        <translation>Состояние связи: данные получены!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Suppression quality = %1%</source>
        <translation>Качество подавления = %1%</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Surplus of quality = %1</source>
        <translation>Запас качества = %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lack of quality = %1</source>
        <translation>Недостаток качества = %1</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Status: Message 2</source>
        <translation>Состояние: сообщение 2</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Status: Message 3</source>
        <translation>Состояние: сообщение 3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Suppression quality is less than 50%. The operation cannot be done.</source>
        <translation>Качество подавления меньше 50%. Операция невозможна.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Status: Message 4</source>
        <translation>Состояние: сообщение 4</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pay attention that the suppression quality is %1% and this is less than 95%</source>
        <translation>Обратите внимание: качество подавления %1%, это меньше 95%</translation>
    </message>
</context>
<context>
    <name>CDebugWindow</name>
    <message>
        <location filename="../../display/CDebugWindow.cpp" line="+52"/>
        <source>DEBUG INFORMATION</source>
        <translation>ОТЛАДОЧНАЯ ИНФОРМАЦИЯ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cycle=%1 Pause=%2</source>
        <translation>Cycle=%1 Pause=%2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>nID=%1 nCyc=%2 nRSSI=%3 cntDis=%4 cntTim=%5</source>
        <translation>nID=%1 nCyc=%2 nRSSI=%3 cntDis=%4 cntTim=%5</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>active=%1</source>
        <translation>active=%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>num=%1 nBand=%2 nFreq=%3</source>
        <translation>num=%1 nBand=%2 nFreq=%3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>nSlaveID=%1</source>
        <translation>nSlaveID=%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>nIndGroup=%1</source>
        <translation>nIndGroup=%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+8"/>
        <source>nLevelDBM=%1</source>
        <translation>nLevelDBM=%1</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>num_fd_data=%1 nBand=%2</source>
        <translation>num_fd_data=%1 nBand=%2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>nActiveID=%1</source>
        <translation>nActiveID=%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>[41][42]=%1 %2</source>
        <translation>[41][42]=%1 %2</translation>
    </message>
</context>
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
        <location filename="../../eventlog/CLogWindow.cpp" line="+58"/>
        <location line="+139"/>
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
        <location line="+60"/>
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
        <location line="+249"/>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location line="-228"/>
        <location line="+114"/>
        <source>Cannot write the file %1:
%2</source>
        <translation>Не удаётся записать файл %1:
%2</translation>
    </message>
    <message>
        <location line="-106"/>
        <location line="+29"/>
        <source>Load Log</source>
        <translation>Загрузить журнал</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Loading %1...</source>
        <translation>Загрузка %1...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Cannot open the file %1:
%2</source>
        <translation>Не удаётся открыть файл %1:
%2</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Export Log</source>
        <translation>Экспорт журнала</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Web page (*.htm)</source>
        <translation>Веб-страница (*.htm)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV file (*.csv)</source>
        <translation>Файл CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>JSON Lines file (*.jsonl)</source>
        <translation>Файл JSON Lines (*.jsonl)</translation>
    </message>
    <message>
        <location line="+31"/>
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
        <location line="+12"/>
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
        <location line="+41"/>
        <source>Tool Bar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Opens new log window</source>
        <translation>Открывает новое окно журнала</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Event Log...</source>
        <translation>&amp;Журнал событий...</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Rearrange Modules</source>
        <translation>&amp;Упорядочить модули</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;test</source>
        <translation>&amp;тест</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Re&amp;name...</source>
        <translation>&amp;Переименовать...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Renames the active module window</source>
        <translation>Переименовывает активное окно модуля</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Options...</source>
        <translation>&amp;Параметры...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Configuration...</source>
        <translation>&amp;Конфигурация...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Configures a module&apos;s Wi-Fi or Ethernet board and tunes a suppression unit over USB</source>
        <translation>Настраивает плату Wi-Fi или Ethernet модуля и блок подавления через USB</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Localization</source>
        <translation>&amp;Локализация</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Default</source>
        <translation>По &amp;умолчанию</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Manual</source>
        <translation>&amp;Руководство</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
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
        <location filename="../../app/CMainWindow.cpp" line="+387"/>
        <source>%1 - Version %2</source>
        <translation>%1 - Версия %2</translation>
    </message>
    <message>
        <location line="-249"/>
        <location line="+195"/>
        <source>Total: %1</source>
        <translation>Всего: %1</translation>
    </message>
    <message>
        <location line="-194"/>
        <location line="+196"/>
        <source>Correct: %1</source>
        <translation>Исправных: %1</translation>
    </message>
    <message>
        <location line="-195"/>
        <location line="+255"/>
        <source>USB connection status: </source>
        <translation>Состояние USB-подключения: </translation>
    </message>
    <message>
        <location line="-112"/>
        <source>Success</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The operation completed successfully</source>
        <translation>Операция успешно завершена</translation>
    </message>
    <message>
        <location line="+87"/>
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
        <location line="+67"/>
        <source>Syslog: %1 events dropped while the collector was unreachable</source>
        <translation>Syslog: отброшено событий, пока сборщик был недоступен: %1</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Event journal unavailable: events are kept in memory only</source>
        <translation>Архив событий недоступен: события хранятся только в памяти</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+14"/>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>The event journal %1 cannot be written:
%2

The station goes on keeping events in memory and tries the journal again later.</source>
        <translation>Не удаётся записать архив событий %1:
%2

Станция продолжает хранить события в памяти и позже повторит попытку записи в архив.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Event journal writing again</source>
        <translation>Запись в архив событий возобновлена</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Damaged event journal set aside</source>
        <translation>Повреждённый архив событий отложен</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The event journal was damaged. It has been kept as %1 and a new journal has been started.</source>
        <translation>Архив событий был повреждён. Он сохранён как %1, начат новый архив.</translation>
    </message>
    <message>
        <location line="+73"/>
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
        <source>&amp;Find</source>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Hide</source>
        <translation>&amp;Скрыть</translation>
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
        <source>Edits this module&apos;s detection settings</source>
        <translation>Изменяет настройки обнаружения этого модуля</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Settings...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <location filename="../../display/CModuleWindow.cpp" line="+197"/>
        <source>Rename module</source>
        <translation>Переименование модуля</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New module name</source>
        <translation>Новое имя модуля</translation>
    </message>
    <message>
        <location line="+42"/>
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
        <location line="+80"/>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <location line="-102"/>
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
        <source>Forward events to syslog collector</source>
        <translation>Передавать события в сборщик syslog</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Collector</source>
        <translation>Сборщик</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>TCP</source>
        <translation>TCP</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>CA file</source>
        <translation>Файл сертификата УЦ</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>system certificates</source>
        <translation>системные сертификаты</translation>
    </message>
    <message>
        <location line="+13"/>
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
        <location filename="../../app/COptionsDialog.cpp" line="+88"/>
        <source>No media file was selected!</source>
        <translation>Не выбран звуковой файл!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>No image file was selected!</source>
        <translation>Не выбран файл изображения!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No syslog collector was given!</source>
        <translation>Не указан сборщик syslog!</translation>
    </message>
    <message>
        <location line="+22"/>
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
    <message>
        <location line="+8"/>
        <source>Select the CA certificate of the syslog collector</source>
        <translation>Выберите сертификат УЦ сборщика syslog</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PEM certificates (*.pem *.crt)</source>
        <translation>Сертификаты PEM (*.pem *.crt)</translation>
    </message>
</context>
<context>
    <name>CSettingsDialog</name>
    <message>
        <location filename="../../forms/CSettingsDialog.ui" line="+14"/>
        <source>Settings of the module</source>
        <translation>Настройки модуля</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Thresholds and enables of the cellular bands</source>
        <translation>Пороги и включение сотовых диапазонов</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Cellular</source>
        <translation>Сотовая связь</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+82"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+46"/>
        <location line="+82"/>
        <location line="+46"/>
        <location line="+76"/>
        <location line="+223"/>
        <location line="+14"/>
        <location line="+14"/>
        <location line="+14"/>
        <location line="+108"/>
        <location line="+84"/>
        <location line="+159"/>
        <location line="+92"/>
        <source>For all</source>
        <translation>Для всех</translation>
    </message>
    <message>
        <location line="-1447"/>
        <source>CDMA 450</source>
        <translation>CDMA 450</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>GSM 900</source>
        <translation>GSM 900</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>GSM 1800</source>
        <translation>GSM 1800</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>3G-2100</source>
        <translation>3G-2100</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>3G-900</source>
        <translation>3G-900</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>4G-2600</source>
        <translation>4G-2600</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Thresholds and enables of the 2.4 GHz and 5 GHz bands</source>
        <translation>Пороги и включение диапазонов 2,4 и 5 ГГц</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>2.4 &amp;&amp; 5 GHz</source>
        <translation>2,4 &amp;&amp; 5 ГГц</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>WLAN 2.4</source>
        <translation>WLAN 2,4</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Traffic 2.4</source>
        <translation>Трафик 2,4</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>WLAN 5</source>
        <translation>WLAN 5</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Traffic 5</source>
        <translation>Трафик 5</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Detection of GSM and GPS jammers</source>
        <translation>Обнаружение глушителей GSM и GPS</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Jammers</source>
        <translation>Глушители</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Range and step of the scanning receiver</source>
        <translation>Диапазон и шаг сканирующего приёмника</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Scan</source>
        <translation>Сканирование</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>SCAN</source>
        <translation>СКАН</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Squelch</source>
        <translation>Порог шумоподавления</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Begin freq</source>
        <translation>Нач. частота</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>End freq</source>
        <translation>Кон. частота</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Step freq</source>
        <translation>Шаг частоты</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Frequencies the scanning receiver passes over</source>
        <translation>Частоты, которые сканирующий приёмник пропускает</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Bypass frequencies to scan</source>
        <translation>Частоты обхода при сканировании</translation>
    </message>
    <message>
        <location line="+31"/>
        <location line="+173"/>
        <source>MANUAL</source>
        <translation>РУЧНЫЕ</translation>
    </message>
    <message>
        <location line="-159"/>
        <source>PATTERN Digital</source>
        <translation>ШАБЛОН Цифровой</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+122"/>
        <source>PATTERN 1</source>
        <translation>ШАБЛОН 1</translation>
    </message>
    <message>
        <location line="-108"/>
        <location line="+121"/>
        <source>PATTERN 2</source>
        <translation>ШАБЛОН 2</translation>
    </message>
    <message>
        <location line="-111"/>
        <source>A range of frequencies sent to the module once to be bypassed</source>
        <translation>Диапазон частот, однократно передаваемый модулю для пропуска</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Set manual bypass frequencies</source>
        <translation>Задать частоты обхода вручную</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Start freq, MHz:</source>
        <translation>Нач. частота, МГц:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Stop freq, MHz:</source>
        <translation>Кон. частота, МГц:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Get bypass</source>
        <translation>Получить список</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Set</source>
        <translation>Задать</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Uploads a bypass frequency list to the module</source>
        <translation>Загружает в модуль список частот пропуска</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Load bypass frequencies to...</source>
        <translation>Загрузить частоты обхода в...</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Load</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Puts the default settings or bypass frequencies back</source>
        <translation>Восстанавливает настройки или частоты пропуска по умолчанию</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Defaults</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bypass frequencies</source>
        <translation>Частоты обхода</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Pausing the module at a frequency or over a band</source>
        <translation>Пауза модуля на частоте или в полосе</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Pause options</source>
        <translation>Параметры паузы</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>PAUSE</source>
        <translation>ПАУЗА</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>AUTO fill frequency</source>
        <translation>Частота АВТОМАТИЧЕСКИ</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Frequency, MHz:</source>
        <translation>Частота, МГц:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Band, MHz:</source>
        <translation>Полоса, МГц:</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>The module&apos;s own LED, sound and offline behaviour</source>
        <translation>Светодиод, звук и автономный режим самого модуля</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Device indication and offline mode (out of network)</source>
        <translation>Индикация устройства и автономный режим (вне сети)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Alarm Sound</source>
        <translation>Звук тревоги</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+41"/>
        <location filename="../../settings/CSettingsDialog.cpp" line="+301"/>
        <source>Enable offline mode</source>
        <translation>Включить автономный режим</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>LED:</source>
        <translation>Светодиод:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Power + Link</source>
        <translation>Питание + связь</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Diagnostic</source>
        <translation>Диагностика</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Alarm</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Alarm + Diagnostic</source>
        <translation>Тревога + диагностика</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Module identification, for testing only</source>
        <translation>Идентификация модуля, только для проверки</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Identification (only for testing purposes)</source>
        <translation>Идентификация (только для проверки)</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Disable</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>WARNING: Every option with &apos;For all&apos; enabled will be written to all devices in the network!</source>
        <translation>ВНИМАНИЕ: каждый параметр с отметкой «Для всех» будет записан во все устройства сети!</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>For all &apos;Cellular + 2.4 &amp;&amp; 5 GHz + Jammers + Scan&apos;</source>
        <translation>Для всех «Сотовая связь + 2,4 &amp;&amp; 5 ГГц + Глушители + Сканирование»</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../../settings/CSettingsDialog.cpp" line="-101"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+8"/>
        <location line="+8"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
    <message>
        <location line="-28"/>
        <location line="+8"/>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>MHz</source>
        <translation>МГц</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Disable offline mode</source>
        <translation>Выключить автономный режим</translation>
    </message>
    <message>
        <location line="+121"/>
        <source>Settings of the module #%1</source>
        <translation>Настройки модуля №%1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Success</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The operation completed successfully</source>
        <translation>Операция успешно завершена</translation>
    </message>
    <message>
        <location line="+134"/>
        <location line="+103"/>
        <location line="+52"/>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location line="-154"/>
        <source>The value in the field &apos;Freq&apos; must be in range %1 - %2 MHz</source>
        <translation>Значение в поле «Частота» должно быть в пределах %1 - %2 МГц</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Do you want to reset all settings to defaults?</source>
        <translation>Сбросить все настройки к значениям по умолчанию?</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Do you want to erase all manual bypass frequencies?</source>
        <translation>Удалить все ручные частоты обхода?</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Wrong frequency!</source>
        <translation>Неверная частота!</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Load Bypass</source>
        <translation>Загрузить список обхода</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Bypass files (*.xml)</source>
        <translation>Файлы обхода (*.xml)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Cannot open the file %1:
%2</source>
        <translation>Не удалось открыть файл %1:
%2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 is no bypass file:
%2</source>
        <translation>Файл %1 не является файлом обхода:
%2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 holds no bypass frequencies.</source>
        <translation>В файле %1 нет частот обхода.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 was not loaded: entry %2 has no valid frequency.</source>
        <translation>Файл %1 не загружен: в записи %2 нет допустимой частоты.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file %1 is too large for a bypass file:
%2</source>
        <translation>Файл %1 слишком велик для файла обхода:
%2</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>This operation takes few seconds depend on the size of the frequency list</source>
        <translation>Операция займёт несколько секунд в зависимости от размера списка частот</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This action will be applied after restart of the remote device.</source>
        <translation>Действие вступит в силу после перезапуска удалённого устройства.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pay attention this action will be applied for ALL of the remote devices in the network.</source>
        <translation>Обратите внимание: действие будет применено ко ВСЕМ удалённым устройствам сети.</translation>
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
    <name>CStationStatus</name>
    <message>
        <location filename="../../app/CStationStatus.cpp" line="+46"/>
        <source>Listening on port %1</source>
        <translation>Приём на порту %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not listening on port %1: %2</source>
        <translation>Нет приёма на порту %1: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Modules connected: %1</source>
        <translation>Подключено модулей: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 frames/s</source>
        <translation>%1 кадр./с</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Journal: writing</source>
        <translation>Архив: запись</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Journal: in memory only</source>
        <translation>Архив: только в памяти</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../app/CommandLine.cpp" line="+28"/>
        <source>Show this help and exit.</source>
        <translation>Показать эту справку и завершить работу.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Show the edition and version and exit.</source>
        <translation>Показать название версии и её номер и завершить работу.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>TCP port the modules connect to (default %1).</source>
        <translation>TCP-порт, к которому подключаются модули (по умолчанию %1).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Invalid port: %1</source>
        <translation>Недопустимый порт: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Write every module frame and reply to the file (pcapng).</source>
        <translation>Записывать каждый кадр модулей и каждый ответ в файл (pcapng).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No capture file given</source>
        <translation>Не указан файл записи</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>the demonstration edition</source>
        <translation>демонстрационная версия</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>the full edition</source>
        <translation>полная версия</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Radio-monitoring station: modules connect to it over TCP.</source>
        <translation>Станция радиомониторинга: модули подключаются к ней по TCP.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Usage: %1 [options]</source>
        <translation>Запуск: %1 [параметры]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Environment:</source>
        <translation>Переменные окружения:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>D2XX driver library to load instead of &quot;ftd2xx&quot;.</source>
        <translation>Библиотека драйвера D2XX, загружаемая вместо «ftd2xx».</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Qt platform; &quot;offscreen&quot; runs without a display.</source>
        <translation>Платформа Qt; «offscreen» — работа без экрана.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Unexpected argument: %1</source>
        <translation>Лишний аргумент: %1</translation>
    </message>
</context>
<context>
    <name>JournalWriter</name>
    <message>
        <location filename="../../eventlog/JournalWriter.cpp" line="+97"/>
        <source>The SQLite driver of Qt is not installed.</source>
        <translation>Драйвер SQLite для Qt не установлен.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Cannot create the folder %1.</source>
        <translation>Не удаётся создать папку %1.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The write-ahead log cannot be used.</source>
        <translation>Журнал упреждающей записи (WAL) недоступен.</translation>
    </message>
    <message>
        <location line="+279"/>
        <source>%1 events came faster than the journal could take them; they are kept in memory only.</source>
        <translation>Событий, поступивших быстрее, чем архив успевал их принять: %1; они хранятся только в памяти.</translation>
    </message>
</context>
<context>
    <name>MyServer</name>
    <message>
        <location filename="../../net/MyServer.cpp" line="+16"/>
        <source>Server Error</source>
        <translation>Ошибка сервера</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unable to start the server on port %1: %2</source>
        <translation>Не удалось запустить сервер на порту %1: %2</translation>
    </message>
</context>
<context>
    <name>SyslogSender</name>
    <message>
        <location filename="../../eventlog/SyslogSender.cpp" line="+68"/>
        <source>no connection within %1 s</source>
        <translation>нет соединения за %1 с</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>no collector address</source>
        <translation>не указан адрес сборщика</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>no CA certificate in %1</source>
        <translation>в %1 нет сертификата УЦ</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>the collector closed the connection</source>
        <translation>сборщик закрыл соединение</translation>
    </message>
</context>
<context>
    <name>XmlItemReader</name>
    <message>
        <location filename="../../settings/XmlItemReader.cpp" line="+43"/>
        <source>A part of the file is longer than %1 bytes.</source>
        <translation>Часть файла длиннее %1 байт.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The file is larger than %1 KiB.</source>
        <translation>Файл больше %1 КиБ.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>The file holds more than %1 items.</source>
        <translation>В файле больше %1 элементов.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>The file is nested deeper than %1 levels.</source>
        <translation>Вложенность в файле глубже %1 уровней.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>An element has more than %1 attributes.</source>
        <translation>У элемента больше %1 атрибутов.</translation>
    </message>
</context>
</TS>
