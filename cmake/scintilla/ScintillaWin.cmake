# Changes to the component's win32/ScintillaWin.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" win32/ScintillaWin.cxx scintilla_win [=[
			if (lParam || (WAIT_TIMEOUT == MsgWaitForMultipleObjects(0, nullptr, 0, 0, QS_INPUT | QS_HOTKEY))) {]=] [=[
			// What the user's keys left to paint is painted before the next step of the
			// background work, as input is handled before it; the timer starts the step
			// again (a change of Penlet's).
			if (lParam || (WAIT_TIMEOUT == MsgWaitForMultipleObjects(0, nullptr, 0, 0, QS_INPUT | QS_HOTKEY) &&
				!::GetUpdateRect(MainHWND(), nullptr, FALSE))) {]=])
list(APPEND changed_sources "${scintilla_win}")
