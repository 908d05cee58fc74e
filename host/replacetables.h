#pragma once

#include <QString>

// Replaces the restaurant's tables with the list "1:4,2:2,3:6" (an empty one: none). A bad list,
// or a table a reservation of today or later still holds, is said on standard error, changes
// nothing and gives false.
bool ReplaceRestaurantTables(const QString& list);
