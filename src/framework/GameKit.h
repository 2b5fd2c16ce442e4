#pragma once
// What the games share beyond the game base: random values in [0, 1), glides that never
// overshoot, grades in floating point and within 1.0..6.0, and the typed-answer entry.
#include "framework/Glide.h"
#include "framework/Grade.h"
#include "framework/Random.h"
#include "framework/TypedAnswer.h"
