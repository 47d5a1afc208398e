#pragma once

#include "frontend/DeliveryCounts.h"

#include <string>

// What a desktop notification says of the delivery reports of one pass of the background
// worker, in UTF-8 from the program's string table: a summary, and a body with one line for
// each final state that came, in the Slovak number form of its count.
struct DeliveryNotice {
    std::string summary;
    std::string body;
    std::string openArchive; // the label of the action that opens the archive page
};

DeliveryNotice DeliveryNoticeText(const DeliveryCounts& counts);

// The form of a word after a count: 0 for one, 1 for two to four, 2 for any other count
// (Slovak: "1 SMS bola", "3 SMS boli", "5 SMS bolo").
int SlovakCountForm(int count);
