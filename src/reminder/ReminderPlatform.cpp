#include "ReminderPlatform.h"

ReminderPlatform::~ReminderPlatform() = default;
