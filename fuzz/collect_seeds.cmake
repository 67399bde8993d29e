# Copies the files FROM/PATTERN no larger than MAX_BYTES into TO (cmake -P).
file(GLOB files ${FROM}/${PATTERN})
foreach(file IN LISTS files)
  file(SIZE ${file} bytes)
  if(bytes LESS_EQUAL MAX_BYTES)
    file(COPY ${file} DESTINATION ${TO})
  endif()
endforeach()
