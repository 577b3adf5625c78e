#pragma once
#include "data/Money.h"

// The current rates, roubles per US dollar and per euro: zero until the first
// refresh; written only by TFSprUE::UpdatePeremenKurs.
extern Money PeremenKursUSD;
extern Money PeremenKursEURO;
