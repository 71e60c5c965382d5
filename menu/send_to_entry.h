// Started without files: offers to add Tallowfin Menu to Send To, or to remove it again.
#pragma once

// Asks with a Yes/No box and does what was chosen; returns the process exit code.
int OfferSendToEntry();
