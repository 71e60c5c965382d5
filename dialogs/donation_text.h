// The donation address and the check that it is still the one this program was built with.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>
#include <cstdint>

#include "../base/product_info.h"

// The payment service's form, for the maker's donation e-mail address.
#define TALLOWFIN_DONATION_ADDRESS                                                                 \
    "https://"                                                                                     \
    "www.paypal.com"                                                                               \
    "/cgi-bin/webscr"                                                                              \
    "?cmd=_xclick"                                                                                 \
    "&business=" TALLOWFIN_DONATION_EMAIL "&no_note=1&currency_code=GBP&tax=0&bn=PP-DonationsBF"

extern const char DonationAddress[];

// FNV-1a over the text's bytes up to its terminator.
constexpr uint64_t AddressHash(const char* text) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (; *text; ++text)
        hash = (hash ^ static_cast<unsigned char>(*text)) * 0x100000001B3ull;
    return hash;
}

// Taken when the program is built: a changed byte in the address of the executable file no
// longer matches it.
constexpr uint64_t DonationAddressHash = AddressHash(TALLOWFIN_DONATION_ADDRESS);

// True when the address as it now sits in memory still hashes to DonationAddressHash.
bool DonationAddressIntact(const char* address = DonationAddress);
