# Changes to the component's src/ViewStyle.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/ViewStyle.cxx view_style [=[
	tabWidth = spaceWidth * tabInChars;]=] [=[
	// A negative width is in pixels (a change of Penlet's).
	tabWidth = tabInChars < 0 ? -tabInChars : spaceWidth * tabInChars;]=])
list(APPEND changed_sources "${view_style}")
