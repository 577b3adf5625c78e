#pragma once
#include "data/Money.h"
#include <QString>

// A rate as the current-rate window shows it: thousands grouped, four decimals
// ("1 234,5000" with the Russian decimal comma).
QString groupedRateText(Money rate);

// Reads a rate typed by the user: a number not below zero; false otherwise.
bool parseRate(const QString &text, Money &rate);
