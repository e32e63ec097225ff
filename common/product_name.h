// The product's name: caption of the message boxes, tray tip, closing question.
#pragma once

inline constexpr char kProductName[] = "Hourwright";
