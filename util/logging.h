#pragma once

// The program's logging categories. Diagnostics go through these, so that a
// user can switch them on or off with QT_LOGGING_RULES (e.g. "ykt.hid.debug=true").

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)      // "ykt.app": start-up, single instance, exit
Q_DECLARE_LOGGING_CATEGORY(lcHid)      // "ykt.hid": HID devices, claiming, reads and writes
Q_DECLARE_LOGGING_CATEGORY(lcDriver)   // "ykt.driver": the module driver and its sequences
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // "ykt.settings": Settings.ini and the settings model
Q_DECLARE_LOGGING_CATEGORY(lcLog)      // "ykt.log": the event log and its files
Q_DECLARE_LOGGING_CATEGORY(lcUi)       // "ykt.ui": windows, pages and dialogs
