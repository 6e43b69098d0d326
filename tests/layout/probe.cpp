// Compiles only when PROBE_HEADER is reachable from the include paths of the target built.
#include PROBE_HEADER
