// Placeholder so an empty subsystem folder still yields a library.
