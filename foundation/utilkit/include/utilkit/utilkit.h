#pragma once

#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"
#include "utilkit/usettings.h"
#include "utilkit/ustring.h"
