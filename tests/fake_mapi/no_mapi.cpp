// A library that loads but offers no MAPISendMail, as a broken mail client
// install would; only the tests load it, so its unloading can be seen.
extern "C" __declspec(dllexport) int NotAMailClient() { return 0; }
