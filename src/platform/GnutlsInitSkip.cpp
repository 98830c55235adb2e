// GnuTLS's constructor asks this weak, exported hook whether to skip its global set-up; an
// executable that links this object and exports the symbol answers yes (GnuTLS's own
// environment switch cannot be set early enough from inside the program). Linked as an object
// of its own: a static library would drop an object nothing in the program refers to.
extern "C" __attribute__((visibility("default"), used)) int _gnutls_global_init_skip() {
    return 1;
}
