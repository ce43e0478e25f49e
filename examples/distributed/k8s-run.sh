#!/bin/sh
# Kubernetes: job.sh as a config map, the plan as a Job, then the shares as an
# Indexed Job once the plan is complete.
set -e
cd "$(dirname "$0")"
kubectl create configmap yearbook-job --from-file=job.sh
kubectl apply -f k8s-plan.yaml
kubectl wait --for=condition=complete --timeout=1h job/yearbook-plan
kubectl apply -f k8s-shares.yaml
kubectl wait --for=condition=complete --timeout=24h job/yearbook-shares
