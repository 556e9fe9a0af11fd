#pragma once

// What a whole transfer does. The numbers are the ones the result window's captions are
// chosen by; 3 and 4 belong to the inverter and trip information reports.
enum class TransferMode { Import = 0, Export = 1, Comparison = 2, InverterInfo = 3, TripInfo = 4 };
