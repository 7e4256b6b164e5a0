// SPDX-License-Identifier: MIT
// A desk calculator for arithmetic typed by a user, with named parameters:
// scan an expression for its names, rewrite it with their values, evaluate.
// The three functions share one scanning state and run on one thread.
// Texts longer than 255 characters are cut at 255.
#pragma once

#include "core/KivCore_export.h"

#include <cstddef>

class KivParamList;

// Evaluates text into *result: 1 when no error was counted, 0 otherwise.
// A null or empty text gives 0.0 and 1. A division by zero shows a message box.
KIVCORE_EXPORT int KivCalculator(const char* text, double* result);

// Empties list and fills it with every distinct name of text, value "0.0".
KIVCORE_EXPORT int KivGetCalcParam(const char* text, KivParamList* list);

// Writes text with every name replaced by its value in list. output holds
// 256 characters (the calculator's capacity); the longer expansion is cut.
KIVCORE_EXPORT int KivGetCalcTrans(const char* text, KivParamList* list, char* output);
// The same into output[capacity].
KIVCORE_EXPORT int KivGetCalcTrans(const char* text, KivParamList* list, char* output, std::size_t capacity);
