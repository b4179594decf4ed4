#pragma once
// All 24 result wrapper classes.

#include "wrappers/AppWrappers.h"
#include "wrappers/ClientInfoWrappers.h"
#include "wrappers/ConfigWrappers.h"
#include "wrappers/ModuleWrappers.h"
#include "wrappers/PendantWrappers.h"
#include "wrappers/VersionWrappers.h"
#include "wrappers/WirelessWrappers.h"
