// The main window's logic on fakes of every part it works on, built as the program builds it,
// for the unit tests' fixtures.
#pragma once

#include "core/PenletForm.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeMail.h"
#include "tests/fakes/FakePrinter.h"
#include "tests/fakes/FakeProfile.h"
#include "tests/fakes/FakeReplaceDialog.h"

namespace penlet {

struct FormOnFakes {
  explicit FormOnFakes(LeadByteSet counterLeadBytes = LeadByteSet::Cp932())
      : counter(edit, view, clipboard, counterLeadBytes),
        documents(edit, view, boxes, files, dialogs, counter, LeadByteSet::Cp932()),
        findReplace(edit, dialog, boxes, documents, counter),
        print(edit, surface, printer, documents, LeadByteSet::Cp932()),
        send(edit, mail, boxes),
        form(edit, view, profile, about, documents, counter, findReplace, print, send,
             LeadByteSet::Cp932()) {}

  FakeEditArea edit;
  FakeFormView view;
  FakeMessageBoxes boxes;
  FakeFiles files;
  FakeFileDialogs dialogs;
  FakeClipboard clipboard;
  FakeProfile profile;
  FakeReplaceDialog dialog;
  FakePrintSurface surface;
  FakePrinter printer;
  FakeMailSystem mail;
  FakeAboutBox about;
  Counter counter;
  DocumentCommands documents;
  FindReplace findReplace;
  PrintCommand print;
  SendCommand send;
  TPenletForm form;
};

}  // namespace penlet
