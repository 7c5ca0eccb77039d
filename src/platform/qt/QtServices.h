// Every Qt implementation of the platform services, for the code that puts the program together.
#pragma once

#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtKeyQuery.h"
#include "platform/qt/QtLinkOpener.h"
#include "platform/qt/QtRandom.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTickCounter.h"
