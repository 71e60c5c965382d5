// The maker's details and the product's identity: a release or a change of maker edits this file.
// The resource script reads the version and copyright from here too.
#pragma once

#define TALLOWFIN_VERSION_COMMAS 1, 7, 6, 0
#define TALLOWFIN_VERSION_TEXT "1, 7, 6, 0"
#define TALLOWFIN_COPYRIGHT "Copyright (C) 2026 Mistlebrookworks"
// Also part of the donation address and of the Donate dialog's text.
#define TALLOWFIN_DONATION_EMAIL "donations@mistlebrookworks.example"

#ifndef RC_INVOKED
// Caption of every box, part of every title, the version stamp and the terms line.
constexpr const char ProductTitle[] = "Tallowfin v1.7.6.0";
// The maker's host is a reserved documentation domain: no real party's site is named.
constexpr const char SiteAddress[] = "http://www.mistlebrookworks.example/software/tallowfin";
constexpr const char MakerHomePage[] = "http://www.mistlebrookworks.example/";
constexpr const char DonationEmail[] = TALLOWFIN_DONATION_EMAIL;
constexpr const char CopyrightNotice[] = TALLOWFIN_COPYRIGHT;
#endif
