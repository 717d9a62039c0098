// A library that loads but has no plug-in header to give: the host must refuse it cleanly.
extern "C" __declspec(dllexport) int glintixNothingHere() { return 0; }
