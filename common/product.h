// Who makes the program and what it is called, for the version resource, the
// installer and the About box. Plain defines, so resource scripts can use them.
#pragma once

#define HOURWRIGHT_PRODUCT_NAME "Hourwright"
#define HOURWRIGHT_MAKER_NAME "Glimmerbox Software"

#ifdef __cplusplus
// Caption of the message boxes, tray tip, closing question.
inline constexpr char kProductName[] = HOURWRIGHT_PRODUCT_NAME;
#endif
