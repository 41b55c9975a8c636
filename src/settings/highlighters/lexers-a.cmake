target_sources(krq_core PRIVATE)
