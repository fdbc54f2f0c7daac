// Built by the settings work.
