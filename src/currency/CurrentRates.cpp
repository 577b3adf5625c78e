#include "currency/CurrentRates.h"

Money PeremenKursUSD;
Money PeremenKursEURO;
