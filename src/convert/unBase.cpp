// The conversions arrive here.
