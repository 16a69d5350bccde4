# Changes to Scintilla 5.3.3, made to copies of its sources in the build folder (the unpacked
# release stays as it is):
# - Editor.cxx (1): a caret moved to a paragraph that the background layout has not reached yet lays
#   out the paragraphs around the caret, where the release lays out every one still waiting.
#   Ctrl+End in a freshly opened 50 MB text would otherwise hold the window for seconds. Both
#   sides stay exact: positions count the paragraphs before as laid out so far, and the
#   background layout keeps the paragraph at the top where it is as it goes on.
# - Editor.cxx (2): the background layout of paragraphs off the screen sets the scroll bar at every
#   64th of the text and at its end, where the release sets it, and repaints the whole text, after
#   every few milliseconds of work. Under Wine each setting draws the themed scroll bar through
#   some ten calls to the server: they took more time than the layout itself.
# - Editor.cxx (3): a message of Penlet's own (0x7F00) gives where the rows of many document
#   lines begin, each wrapped line laid out once on one surface, those that the background layout
#   has not reached yet too. Asked row by row through SCI_POSITIONFROMPOINT, each question made a
#   device context and laid the line out again: the mail body of 50 MB took over a minute.
# - Editor.h and Editor.cxx (4): an edit of lines that the background layout has already passed
#   lays those lines out again on their own (with the caret's move, or first thing in the next
#   layout step), and the layout goes on where it was, moved by the lines the edit added or
#   removed. The release went back to the edited line and laid out every line after it again:
#   typing near the top of a long text while it was being laid out kept the layout from ever
#   getting further. More than 64 such lines apart are taken as the release takes them.
# - SplitVector.h, CellBuffer.h, Document.h and Editor.cxx (5): a message of Penlet's own
#   (0x7E53) moves the text's gap towards a position by at most a given number of bytes. The
#   editing area brings the gap to the caret that way, a few megabytes a step, before the user
#   types there; the release moves it only when an edit comes, and the first keystroke after a
#   jump in a long text copied tens of megabytes.
# - ScintillaWin.cxx: the background work (the layout of a long text) goes on in steps, each
#   posting the next, which runs unless input is waiting; the window's paint gets a turn only
#   every 50 ms. A posted step also waits while the area has something to paint (a typed
#   character, a scroll), and the area's timer starts it again after the paint: typed text showed
#   up to 50 ms late while a long text was being laid out, some 20 ms on average after a resize
#   of 50 MB.
# - Editor.h and Editor.cxx (6): a rectangle within the one invalidated last, and not painted
#   since, is not invalidated again. A keystroke invalidated its row three times (the text, the
#   selection, the caret), each a call to the window server under Wine. A paint or a new size
#   forgets the rectangle.
# - SplitVector.h, CellBuffer.h, Document.h and Editor.cxx (7): a message of Penlet's own
#   (0x7E54) makes room for a text a piece at a time: a bigger buffer is filled from the text's
#   buffer at most a given number of bytes per message, and takes its place once full; any
#   change of the text in between drops it, and the filling starts again. A paste of 200 MB
#   into 200 MB made its room at once (SCI_ALLOCATE), a copy of the whole text that held the
#   window for up to a quarter of a second; the editing area now makes it in steps, answering
#   between them, as it moves the gap.
# - Editor.cxx and ScintillaWin.cxx: the caret's blink starts again at every keystroke by setting
#   its timer again, without a KillTimer first (SetTimer with the same identifier replaces it).
# - ScintillaWin.cxx: no message is posted for the work after an edit or a move of the caret
#   (SC_WORK_IDLE): Penlet takes no SCN_UPDATEUI, and its text has one style, given where the
#   text is shown or laid out. Under Wine each post was a call to the window server.
# - ScintillaWin.cxx: the scroll bars are set without drawing, and drawn (set again) only when
#   they show something else: thumb, arrows, place. Wine draws a scroll bar at once at every
#   setting, through some seventy calls to the window server, and a row added to a long text
#   moves the thumb by no pixel: such keystrokes took 5 to 25 ms.
# - EditView.cxx: a line laid out on one thread is laid out by the caller itself, where the release
#   runs it as a deferred std::async. Built with MinGW's POSIX threads, each such future made and
#   waited for cost a few calls to the system's synchronisation objects, for every line.
# - PositionCache.cxx: word wrap may break between any two characters of which one is
#   double-byte, as Japanese text wraps, while Latin words still wrap at spaces. The release
#   breaks only at spaces and style changes, which would take a style byte for every byte of
#   the text and the time to set them. Wrapping finds the boundaries of double-byte characters
#   in the line's own bytes, where the release looks the line up in the document for each; and
#   the cache of laid out lines lays a new line out in the buffers of the line it replaces, where
#   the release frees them and allocates new ones, line after line.
# - ContractionState.cxx: the lines of a wrapped text that an edit adds or removes are added to
#   or removed from the display's tables as one range, where the release does it line by line.
#   Deleting a 50 MB text, or taking that back, would otherwise spend some 50 ms more on its
#   hundreds of thousands of lines.
# - PlatWin.cxx: text in a double-byte or single-byte code page is measured from a table of each
#   character's width, measured once per font and screen density, where the release asks GDI for
#   every run of every line (and selects the font into the device context for each). Under Wine
#   each such question goes through the graphics driver; laying out 50 MB asked it about a million
#   times and took most of a minute. GDI adds character widths up without kerning, so the sums are
#   the system's own positions; a device context with a transform, extra spacing or a code page
#   other than the text's is measured by the system as before. There, a count of characters that
#   Wine gives in the ANSI code page's bytes is kept within the text: a font of another code page
#   otherwise ran the release past the end of its positions.
# - EditModel.h, Editor.cxx and EditView.cxx: the offset where a wrapped row ends is also where
#   the next row starts, and the release always puts the caret on the next row. Penlet's caret
#   knows which of the two it stands on, as a Windows edit control's does: End, a click right of
#   a row's last character, and Up, Down, Page Up or Page Down past a shorter row's end leave it
#   at the row's end; there it is drawn, the system caret (which input methods and accessibility
#   tools follow) stands, End and Shift+End stay, Home goes to that row's start and Up, Down and
#   the page keys go from that row. Any other move, any edit, and a change of the selection from
#   outside, put it back on the usual row. EditModel.h grows by a member for it.
# - ViewStyle.cxx: a negative tab width (SCI_SETTABWIDTH) is the distance between tab stops in
#   pixels, where the release only counts widths of a space, as the platform's text controls
#   put their stops every half inch whatever the font. The document keeps the value, so the
#   editing area also sets an indent of its own (SCI_SETINDENT) for the component's indenting,
#   which the area never asks for.
# - The undo history and the buffers under it, for texts near the end of the address space:
#   - CellBuffer: the history can say how many bytes of text it holds and how many an undo back
#     to a container action puts back, and drop its oldest whole operations down to a limit
#     (three messages, handled in Editor.cxx), and gives back the text of
#     the actions that can no longer be redone, and its table when emptied. The release keeps
#     every removed and inserted text until the history is emptied.
#   - CellBuffer: an action's text is copied before the history changes, so that a copy that
#     cannot be had leaves the history as it was.
#   - SplitVector.h: the buffer counts the room it grows by only once it has it. The release
#     counted it first, and a failed growth left a buffer that claimed room it did not have.
#   - SplitVector.h: the room a buffer grows by is left as the allocation gives it, where the
#     release writes zeros into all of it first. Room made at once for a Rescue or a paste of
#     200 MB spent over 100 ms on the zeros, which held the window; the steps that follow write
#     the room anyway.
#   - Document.cxx: an edit or undo that meets a failure (no memory) leaves the document
#     editable. The release left it marked as being modified for ever, so that every later edit
#     and undo did nothing, and a loop of undo steps waiting for its mark never ended.
#
# Headers change (EditModel.h, Editor.h, SplitVector.h, CellBuffer.h, Document.h), and a
# source of the release's folder would find the release's header beside it: so every source of
# the component's src folder is compiled from a copy in the build folder, changed or not, and
# the copies find the changed headers in a folder of their own before the release's. Every
# source depends on the changed headers, which its recorded dependencies do not see when a
# header is changed for the first time.
#
# Each file of cmake/scintilla/ holds the changes to one source of the component, as pairs of the
# release's text and the text that takes its place; penlet_changed_scintilla_sources(<scintilla
# dir> <sources variable>) makes the changed copies and puts them in place of the originals in the
# list of sources. The folder of the changed headers, PENLET_CHANGED_SCINTILLA_DIR, must come
# before the component's own folders among the include folders.

# Replaces each `release` text by the `changed` text after it in `file` (a path under `dir`) and
# writes the result to the build folder; sets `out` to the copy.
function(penlet_change_scintilla_file dir file out)
  file(READ "${dir}/${file}" source)
  # The texts are read as ARGV<n>: a list would split them at their semicolons.
  math(EXPR last "${ARGC} - 1")
  # With no texts at all, the copy is the release's own, compiled beside a changed header.
  set(pairs "")
  if(ARGC GREATER 3)
    set(pairs RANGE 3 ${last} 2)
  endif()
  foreach(i ${pairs})
    math(EXPR j "${i} + 1")
    set(release "${ARGV${i}}")
    set(changed "${ARGV${j}}")
    string(FIND "${source}" "${release}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${dir}/${file} is not the Scintilla 5.3.3 that Penlet changes")
    endif()
    string(REPLACE "${release}" "${changed}" source "${source}")
  endforeach()
  # A changed header goes to a folder of its own, reached only through the include folders: a
  # copy beside the changed sources would be found before the release's even once the build no
  # longer changes it.
  get_filename_component(name "${file}" NAME)
  if(name MATCHES "\\.h$")
    set(target "${CMAKE_BINARY_DIR}/scintilla-changed/headers/${name}")
  else()
    set(target "${CMAKE_BINARY_DIR}/scintilla-changed/${name}")
  endif()
  # Written only when it differs, so that a new configure does not rebuild it.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(NOT old STREQUAL source)
    file(WRITE "${target}" "${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${dir}/${file}")
  set(${out} "${target}" PARENT_SCOPE)
endfunction()

function(penlet_changed_scintilla_sources dir sources)
  set(changed_sources "")
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/Editor.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/EditView.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/PositionCache.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/ContractionState.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/PlatWin.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/ScintillaWin.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/EditModel_h.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/Editor_h.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/SplitVector_h.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/CellBuffer_h.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/CellBuffer.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/Document_h.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/Document.cmake)
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/scintilla/ViewStyle.cmake)
  set(list ${${sources}})
  foreach(copy ${changed_sources})
    get_filename_component(name "${copy}" NAME)
    list(FILTER list EXCLUDE REGEX "/${name}$")
  endforeach()
  # The unchanged sources of the src folder, copied as they are.
  set(copied "")
  foreach(original ${list})
    if(original MATCHES "/src/[^/]+\\.cxx$")
      get_filename_component(name "${original}" NAME)
      set(copy "${CMAKE_BINARY_DIR}/scintilla-changed/${name}")
      configure_file("${original}" "${copy}" COPYONLY)
      list(APPEND copied "${copy}")
    else()
      list(APPEND copied "${original}")
    endif()
  endforeach()
  set(list ${copied} ${changed_sources})
  set(${sources} "${list}" PARENT_SCOPE)
  set(PENLET_CHANGED_SCINTILLA_DIR "${CMAKE_BINARY_DIR}/scintilla-changed/headers" PARENT_SCOPE)
endfunction()
