#include "util/logging.h"

Q_LOGGING_CATEGORY(lcApp, "ykt.app")
Q_LOGGING_CATEGORY(lcHid, "ykt.hid")
Q_LOGGING_CATEGORY(lcDriver, "ykt.driver")
Q_LOGGING_CATEGORY(lcSettings, "ykt.settings")
Q_LOGGING_CATEGORY(lcLog, "ykt.log")
Q_LOGGING_CATEGORY(lcUi, "ykt.ui")
