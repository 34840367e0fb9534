list(APPEND KURVIO_CORE_SOURCES
  app/Family.cpp
)
