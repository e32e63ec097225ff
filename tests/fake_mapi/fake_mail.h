// What the stand-in Simple MAPI library was last handed by MAPISendMail.
#pragma once

struct FakeMail {
  int calls;
  unsigned long long session, uiParam;
  unsigned long flags, reserved;
  char subject[64], noteText[16], messageType[16], dateReceived[16], conversationId[16];
  unsigned long messageFlags, recipientCount, fileCount;
  bool filesNull, originatorNull, recipientsNull;
  unsigned long originatorClass, originatorEntryIdSize;
  char originatorName[16], originatorAddress[16];
  unsigned long recipientClass, recipientEntryIdSize;
  char recipientName[16], recipientAddress[64];
};

// Exported by fake_mapi.dll as "LastFakeMail".
typedef const FakeMail* (*LastFakeMailFunction)();
