// A stand-in Simple MAPI library for the tests: it keeps what MAPISendMail
// was handed, so the mail link can be followed without a mail client.
#include <windows.h>
#include <mapi.h>
#include <stdio.h>

#include "tests/fake_mapi/fake_mail.h"

static FakeMail lastMail;

// Null texts read "<null>", so a test can tell them from empty ones.
static void Keep(char* out, size_t size, const char* text) {
  snprintf(out, size, "%s", text != NULL ? text : "<null>");
}

static void KeepRecipient(const MapiRecipDesc* recipient, unsigned long* recipientClass,
                          unsigned long* entryIdSize, char* name, size_t nameSize, char* address,
                          size_t addressSize) {
  *recipientClass = recipient->ulRecipClass;
  *entryIdSize = recipient->ulEIDSize;
  Keep(name, nameSize, recipient->lpszName);
  Keep(address, addressSize, recipient->lpszAddress);
}

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam,
                                                           lpMapiMessage message, FLAGS flags,
                                                           ULONG reserved) {
  FakeMail& m = lastMail;
  ++m.calls;
  // Seen by a test that cannot hold this library itself (its name is taken).
  SetEnvironmentVariableA("HOURWRIGHT_FAKE_MAIL_SUBJECT", message->lpszSubject);
  m.session = session;
  m.uiParam = uiParam;
  m.flags = flags;
  m.reserved = reserved;
  Keep(m.subject, sizeof m.subject, message->lpszSubject);
  Keep(m.noteText, sizeof m.noteText, message->lpszNoteText);
  Keep(m.messageType, sizeof m.messageType, message->lpszMessageType);
  Keep(m.dateReceived, sizeof m.dateReceived, message->lpszDateReceived);
  Keep(m.conversationId, sizeof m.conversationId, message->lpszConversationID);
  m.messageFlags = message->flFlags;
  m.recipientCount = message->nRecipCount;
  m.fileCount = message->nFileCount;
  m.filesNull = message->lpFiles == NULL;
  m.originatorNull = message->lpOriginator == NULL;
  m.recipientsNull = message->lpRecips == NULL;
  if (!m.originatorNull)
    KeepRecipient(message->lpOriginator, &m.originatorClass, &m.originatorEntryIdSize,
                  m.originatorName, sizeof m.originatorName, m.originatorAddress,
                  sizeof m.originatorAddress);
  if (!m.recipientsNull && message->nRecipCount >= 1)
    KeepRecipient(message->lpRecips, &m.recipientClass, &m.recipientEntryIdSize, m.recipientName,
                  sizeof m.recipientName, m.recipientAddress, sizeof m.recipientAddress);
  return SUCCESS_SUCCESS;
}

extern "C" __declspec(dllexport) const FakeMail* LastFakeMail() { return &lastMail; }
