# Two commands for users: `make run` and `make test`; `make package` builds the Debian package
# (see README.md).
BUILD   ?= build
MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: run test package _deps _build

run: _build
	@sh tools/run-example.sh $(BUILD)

test: _build
	cd $(BUILD) && ctest --output-on-failure --timeout 600 -j$(JOBS)

# The .deb (left in this directory) installs into /usr; it is made from the same build as the
# other two commands.
package: _deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=/usr > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && cpack -G DEB
	@mv -f $(BUILD)/orvane_*.deb . && echo "Package: $$(ls orvane_*.deb)"

_deps:
	@sh .ci/install-deps

_build: _deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)
