#pragma once

// Wires the main window's rate commands: "Валюта" shows the rate directory,
// "Сервис" -> "Валюты" refreshes the current rates and shows the current-rate
// window, and the main window's first showing refreshes the current rates.
// The windows must exist.
void wireCurrencyCommands();
