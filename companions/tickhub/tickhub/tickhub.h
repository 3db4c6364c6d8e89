#pragma once

#include "tickhub/thread_timer.h"
#include "tickhub/timer.h"
#include "tickhub/timer_adapter.h"
#include "tickhub/timer_sense.h"
