# Programs beside the game: the solver command line and the task-pack builder. They use
# the plain puzzle logic and the platform's files, never its drawing.
add_library(ferrolin_task_source STATIC tools/task_source.cpp)
ferrolin_layer(ferrolin_task_source tools)
target_link_libraries(ferrolin_task_source PUBLIC ferrolin_model nlohmann_json::nlohmann_json)

# The teacher's check of collected solutions reads files the way the game does.
add_library(ferrolin_solution_check STATIC tools/check_solutions.cpp tools/class_report.cpp)
ferrolin_layer(ferrolin_solution_check tools)
target_link_libraries(ferrolin_solution_check PUBLIC ferrolin_model ferrolin_platform)

add_executable(ferrolin-solve tools/solve_main.cpp)
target_link_libraries(ferrolin-solve PRIVATE ferrolin_task_source ferrolin_solution_check)

add_executable(ferrolin-build-tasks tools/build_tasks_main.cpp)
target_link_libraries(ferrolin-build-tasks PRIVATE ferrolin_task_source)

# The task pack: tasks-src/*.json -> game/tasks/_<hex title>.dat
file(GLOB FERROLIN_TASK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tasks-src/*.json)
set(FERROLIN_TASKS_STAMP ${CMAKE_BINARY_DIR}/tasks.stamp)
add_custom_command(
  OUTPUT ${FERROLIN_TASKS_STAMP}
  COMMAND ferrolin-build-tasks ${CMAKE_SOURCE_DIR}/tasks-src ${FERROLIN_GAME_DIR}/tasks
  COMMAND ${CMAKE_COMMAND} -E touch ${FERROLIN_TASKS_STAMP}
  DEPENDS ferrolin-build-tasks ${FERROLIN_TASK_SOURCES}
  COMMENT "Building the task pack"
  VERBATIM)
add_custom_target(tasks ALL DEPENDS ${FERROLIN_TASKS_STAMP})
ferrolin_data_before_users(tasks)
