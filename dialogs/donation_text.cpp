// The donation address and the check that it is still the one this program was built with.
#include "donation_text.h"

const char DonationAddress[] = TALLOWFIN_DONATION_ADDRESS;

bool DonationAddressIntact(const char* address) {
    // Read through volatile: the compiler knows the literal and would otherwise answer for it,
    // not for the bytes that were loaded from the file.
    const volatile char* p = address;
    uint64_t hash = 0xCBF29CE484222325ull;
    for (char c = *p; c; c = *++p)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash == DonationAddressHash;
}
