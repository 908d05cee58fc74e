#pragma once

// One suite per group of the host support library, run in turn by main.
int RunCatalogueTests(int argc, char** argv);
int RunMensagemTests(int argc, char** argv);
int RunButtonTests(int argc, char** argv);
int RunShapeTests(int argc, char** argv);
int RunTradTests(int argc, char** argv);
