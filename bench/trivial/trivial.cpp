// The least a module can be: an entry function of the module's name that does nothing. Loading
// it costs what the dynamic loader and QLibrary cost by themselves.
extern "C" __attribute__((visibility("default"))) void CriaInclusaoReserva(int, void*) {}
