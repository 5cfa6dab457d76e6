// Sources of this subsystem are added as they are written.
