# Changes to the component's win32/ScintillaWin.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" win32/ScintillaWin.cxx scintilla_win [=[
					if (dwCurrent >= dwStart && dwCurrent > maxWorkTime &&dwCurrent - maxWorkTime < dwStart)
						PostMessage(MainHWND(), SC_WIN_IDLE, dwStart, 0);]=] [=[
					// What the user's keys left to paint is painted before the next step of the
					// background work; the timer starts that step (a change of Penlet's).
					if (dwCurrent >= dwStart && dwCurrent > maxWorkTime &&dwCurrent - maxWorkTime < dwStart &&
						!::GetUpdateRect(MainHWND(), nullptr, FALSE))
						PostMessage(MainHWND(), SC_WIN_IDLE, dwStart, 0);]=])
list(APPEND changed_sources "${scintilla_win}")
