// Play links: links a page shown in the window carries in its entry rows, which the window
// takes to play the entry instead of following them. Pages on disk never hold them; the window
// adds them to the page it shows, at the places the page's rows were marked.
#pragma once

#include "report/MappingReport.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a play link names: an entry of a list, of the bank on show or of the bank at strBank.
struct PLAYLINK
{
    bool bDrumset = false;
    uint64_t nIndex = 0;
    std::string strBank; // "" for the bank on show
};

// "orvane-play:instrument/3", or "orvane-play:drumset/0?bank=%2Fhome%2Fx.94b" for another bank
// (the path's bytes other than letters, digits and "/._-" written as %XX).
std::string PlayLinkHref(const PLAYLINK& link);
// False for anything but a well-formed play link.
bool ParsePlayLink(std::string_view href, PLAYLINK& link);

// The anchor put before an entry's name: a small play sign linked to the entry.
std::string PlayLinkAnchor(const PLAYLINK& link);

// page with the anchor of each mark's entry inserted at its offset; marks are taken in page
// order, and one past the page's end or before the one before it is left out.
std::string InsertPlayLinks(std::string_view page, const std::vector<ENTRYMARK>& marks, const std::string& bank = "");
