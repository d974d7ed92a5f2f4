# Two commands for users: `make run` and `make test` (see README.md).
BUILD   ?= build
MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: run test _deps _build

run: _build
	@sh tools/run-example.sh $(BUILD)

test: _build
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j$(JOBS)

_deps:
	@sh .ci/install-deps

_build: _deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
