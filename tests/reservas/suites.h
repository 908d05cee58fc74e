#pragma once

// One suite per part of the table-reservation package, run in turn by main.
int RunHandOffTests(int argc, char** argv);
int RunDatasetTests(int argc, char** argv);
int RunCalendarTests(int argc, char** argv);
