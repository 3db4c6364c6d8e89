#pragma once

#include "tickhub/thread_timer.h"
#include "tickhub/timer.h"
#include "tickhub/timer_adapter.h"
#include "timer/timer_sense.h"
