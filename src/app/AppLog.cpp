#include "AppLog.h"

Q_LOGGING_CATEGORY(lcApp, "pennyloom.app")
