#include "common/help_target.h"

#include <string.h>

const char kHelpGuideName[] = "hourwright-guide.html";

const char* HelpAnchor(int context) {
  switch (context) {
    case kHelpMainWindow: return "main-window";
    case kHelpAbout: return "about";
    case kHelpDescriptionLists: return "lists-editor";
    case kHelpTimeRecords: return "records-editor";
    case kHelpExport: return "export";
    case kHelpTotals: return "totals";
    case kHelpRates: return "rates";
    case kHelpAway: return "away";
    case kHelpUndo: return "undo";
  }
  return "";
}

// Letters, digits, "-._~" and the separators "/" and ":" pass as they are;
// every other byte (blanks, '#', '%', quotes, the UTF-8 bytes of letters) is
// escaped, so the address is one word on the browser's command line and its
// only '#' is the one before the section.
static bool PassesUnescaped(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

struct AddressWriter {
  char* out;
  size_t size;
  size_t length;
  bool fits;

  void Put(char c) {
    if (length + 1 >= size) {
      fits = false;
      return;
    }
    out[length++] = c;
  }
  void PutText(const char* text) {
    for (; *text != '\0'; ++text) Put(*text);
  }
  void PutPathByte(unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    if (c == '\\') {
      Put('/');
    } else if (PassesUnescaped(c)) {
      Put(static_cast<char>(c));
    } else {
      Put('%');
      Put(kHex[c >> 4]);
      Put(kHex[c & 15]);
    }
  }
};

HelpTargetKind ChooseHelpTarget(int context, const char* programDirectory, bool helpFileExists,
                                char* address, size_t addressSize) {
  if (addressSize > 0) address[0] = '\0';
  if (helpFileExists) return kHelpTargetWinHelp;
  // Without its folder the guide could only be looked for in whatever folder is current.
  if (programDirectory[0] == '\0' || addressSize == 0) return kHelpTargetNone;

  AddressWriter writer = {address, addressSize, 0, true};
  // A share (\\server\share\) keeps its two slashes as the address's host part.
  bool share = programDirectory[0] == '\\' && programDirectory[1] == '\\';
  writer.PutText(share ? "file:" : "file:///");
  for (const char* p = programDirectory; *p != '\0'; ++p)
    writer.PutPathByte(static_cast<unsigned char>(*p));
  if (programDirectory[strlen(programDirectory) - 1] != '\\') writer.Put('/');
  writer.PutText(kHelpGuideName);
  const char* anchor = HelpAnchor(context);
  if (anchor[0] != '\0') {
    writer.Put('#');
    writer.PutText(anchor);
  }
  if (!writer.fits) {
    address[0] = '\0';
    return kHelpTargetNone;
  }
  address[writer.length] = '\0';
  return kHelpTargetGuide;
}
