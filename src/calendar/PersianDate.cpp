// Built by the calendar work.
