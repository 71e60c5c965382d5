// The first-run terms gate.
#include "terms_gate.h"

bool PassTermsGate() { return true; }
