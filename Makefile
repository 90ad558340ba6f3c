# Shorthands for ./lumo (the README's commands) and for a plain build.
BUILD_DIR ?= build
export BUILD_DIR

.PHONY: run test bench release build
run:
	./lumo run

test:
	./lumo test

bench:
	./lumo bench

release:
	./lumo release

build:
	tools/setup.sh $(BUILD_DIR)
	tools/build.sh $(BUILD_DIR)
