// Started without files: offers to add Tallowfin Menu to Send To and its hot key to the Start
// Menu, or to remove both again.
#pragma once

// Asks with a box and does what was chosen; returns the process exit code.
int OfferSendToEntry();
