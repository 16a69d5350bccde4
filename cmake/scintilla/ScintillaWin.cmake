# Changes to the component's win32/ScintillaWin.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" win32/ScintillaWin.cxx scintilla_win [=[
			if (lParam || (WAIT_TIMEOUT == MsgWaitForMultipleObjects(0, nullptr, 0, 0, QS_INPUT | QS_HOTKEY))) {]=] [=[
			// What the user's keys left to paint is painted before the next step of the
			// background work, as input is handled before it; the timer starts the step
			// again (a change of Penlet's).
			if (lParam || (WAIT_TIMEOUT == MsgWaitForMultipleObjects(0, nullptr, 0, 0, QS_INPUT | QS_HOTKEY) &&
				!::GetUpdateRect(MainHWND(), nullptr, FALSE))) {]=] [=[
void ScintillaWin::FineTickerStart(TickReason reason, int millis, int tolerance) {
	FineTickerCancel(reason);
	const UINT_PTR reasonIndex = static_cast<UINT_PTR>(reason);
	const UINT_PTR eventID = static_cast<UINT_PTR>(fineTimerStart) + reasonIndex;
	if (SetCoalescableTimerFn && tolerance) {
		timers[reasonIndex] = SetCoalescableTimerFn(MainHWND(), eventID, millis, nullptr, tolerance);
	} else {
		timers[reasonIndex] = ::SetTimer(MainHWND(), eventID, millis, nullptr);
	}
}]=] [=[
void ScintillaWin::FineTickerStart(TickReason reason, int millis, int tolerance) {
	// A timer set again with its identifier starts again: every keystroke sets the caret's
	// blink anew, and a KillTimer first was one more call to the window server under Wine
	// (a change of Penlet's).
	const UINT_PTR reasonIndex = static_cast<UINT_PTR>(reason);
	const UINT_PTR eventID = static_cast<UINT_PTR>(fineTimerStart) + reasonIndex;
	UINT_PTR timer = 0;
	if (SetCoalescableTimerFn && tolerance) {
		timer = SetCoalescableTimerFn(MainHWND(), eventID, millis, nullptr, tolerance);
	} else {
		timer = ::SetTimer(MainHWND(), eventID, millis, nullptr);
	}
	if (!timer)
		FineTickerCancel(reason);
	timers[reasonIndex] = timer;
}]=] [=[
int ScintillaWin::SetScrollInfo(int nBar, LPCSCROLLINFO lpsi, BOOL bRedraw) noexcept {
	return ::SetScrollInfo(MainHWND(), nBar, lpsi, bRedraw);
}]=] [=[
int ScintillaWin::SetScrollInfo(int nBar, LPCSCROLLINFO lpsi, BOOL bRedraw) noexcept {
	// Wine draws the scroll bar at once at every setting, through some seventy calls to the
	// window server, and a row added to a long text moves its thumb by no pixel: the bar is
	// drawn again only when it shows something else (a change of Penlet's).
	const LONG object = nBar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL;
	SCROLLBARINFO before{};
	before.cbSize = sizeof(before);
	if (!bRedraw || nBar == SB_CTL || !::GetScrollBarInfo(MainHWND(), object, &before))
		return ::SetScrollInfo(MainHWND(), nBar, lpsi, bRedraw);
	const int position = ::SetScrollInfo(MainHWND(), nBar, lpsi, FALSE);
	SCROLLBARINFO after{};
	after.cbSize = sizeof(after);
	if (!::GetScrollBarInfo(MainHWND(), object, &after) ||
		!::EqualRect(&before.rcScrollBar, &after.rcScrollBar) ||
		before.xyThumbTop != after.xyThumbTop || before.xyThumbBottom != after.xyThumbBottom ||
		before.dxyLineButton != after.dxyLineButton ||
		memcmp(before.rgstate, after.rgstate, sizeof(before.rgstate)) != 0) {
		SCROLLINFO shown{};
		shown.cbSize = sizeof(shown);
		shown.fMask = SIF_ALL;
		::GetScrollInfo(MainHWND(), nBar, &shown);
		return ::SetScrollInfo(MainHWND(), nBar, &shown, TRUE);
	}
	return position;
}]=] [=[
void ScintillaWin::QueueIdleWork(WorkItems items, Sci::Position upTo) {
	Editor::QueueIdleWork(items, upTo);
	if (!styleIdleInQueue) {
		if (PostMessage(MainHWND(), SC_WORK_IDLE, 0, 0)) {
			styleIdleInQueue = true;
		}
	}
}]=] [=[
void ScintillaWin::QueueIdleWork(WorkItems items, Sci::Position upTo) {
	// Penlet takes no SCN_UPDATEUI, and its text has one style, given where the text is shown
	// or laid out: the work is not posted after every edit and move of the caret, which under
	// Wine was a call to the window server at every keystroke (a change of Penlet's).
	Editor::QueueIdleWork(items, upTo);
}]=])
list(APPEND changed_sources "${scintilla_win}")
