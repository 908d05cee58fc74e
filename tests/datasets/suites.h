#pragma once

// One suite per part of the client datasets, run in turn by main.
int RunBinaryTests(int argc, char** argv);
int RunXmlTests(int argc, char** argv);
int RunDatasetTests(int argc, char** argv);
int RunCdsdumpTests(int argc, char** argv);
