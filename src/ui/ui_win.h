#pragma once
// The control layer on raw Win32 that stands in for the form library: the application
// object and its message loop, forms built from layout resources, the task-dialog boxes and
// the folder browser. The Win32 platform forwards to these.
#include <exception>
#include <memory>

#include "platform/form_view.h"
#include "util/bytes.h"

namespace tarnwick::ui {

// --- The application object ---
// Initialises COM on this thread as a single-threaded apartment, the common controls and
// the DPI scale. Called once, after the start-up gate has passed.
void InitializeApplication();
void UninitializeApplication();
void SetApplicationTitle(const Bytes& title);
const Bytes& ApplicationTitle();
// Runs the message loop until the main window (the first form created) has closed.
void RunApplication();
// Shows an exception's message in a box captioned with the application title.
void HandleException(const std::exception& error) noexcept;
// Dispatches every queued message and returns; the second form sleeps when nothing is queued.
void ProcessMessages();
void ProcessMessagesOrWait();

// --- Forms ---
// Builds the window described by the layout resource `layout`, hidden, binds its events,
// calls events.Attach(view), then runs its OnCreate. The first form made is the main window.
std::unique_ptr<FormView> CreateForm(const Bytes& layout, FormEvents& events);

// --- Boxes (task dialogs of Common Controls 6; text converted from the ANSI code page) ---
void ShowNoteBox(const Bytes& title, const Bytes& text);  // information icon, OK; empty title: the application title
int AskBoxDialog(const Bytes& text, const Bytes& caption, unsigned flags);  // MB_* flags in, ID* out
int AskDialogBox(const Bytes& text, int kind, unsigned buttons);           // buttons: Yes 1, No 2, OK 4, Cancel 8

// --- The system folder browser: the chosen folder, or `initialFolder` when cancelled ---
Bytes BrowseForFolder(const Bytes& caption, const Bytes& initialFolder);

}  // namespace tarnwick::ui
