// The first-run terms gate.
#pragma once

// True lets the start go on.
bool PassTermsGate();
