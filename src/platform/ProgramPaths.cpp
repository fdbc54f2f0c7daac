// Built by the platform work.
